#pragma once
#include "oracle/CKeywordRecord.h"
#include "oracle/RecordSetIndex.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

// The answer search over the sub-sets of the found keywords, with keyword sets as bit masks
// (bit i = the i-th found keyword) and each set's record looked up once, when the search
// first reaches it. It makes exactly the same calls in the same order as the plain
// recursion over keyword lists: every cursor advance and every draw happens as there, only
// without walking all records each time. Its cost depends on the searches made, never on
// the number of records.
class CAnswerSearch {
public:
    using KeywordId = CRecordSetIndex::KeywordId;
    static constexpr std::size_t kMaxKeywords = 64;
    static constexpr std::uint64_t kNoBudget = ~std::uint64_t{0};

    // `fallback` is the index of the record for "-NICHTS GEFUNDEN-", or nothing. One entry
    // of `keywords` per found keyword: its id, or nothing when no record holds it. At most
    // kMaxKeywords keywords, none twice.
    CAnswerSearch(std::vector<CKeywordRecord>& records, std::optional<std::size_t> fallback,
                  const CRecordSetIndex& recordSets, const std::vector<std::optional<KeywordId>>& keywords);

    // Searches the whole keyword set. When it would take more than `callBudget` searches
    // it stops, puts every cursor and the generator back as they were, and gives nothing.
    std::optional<std::string> run(std::uint64_t callBudget);

private:
    static constexpr std::uint32_t kNotLookedUp = ~std::uint32_t{0};
    static constexpr std::uint32_t kNoRecord = kNotLookedUp - 1;
    // Up to this many keywords the looked-up records sit in a table indexed by set.
    static constexpr std::size_t kTableLimit = 16;

    const std::string* search(std::uint64_t keywordSet);
    const std::string* findRecordAnswer(std::uint64_t keywordSet);
    const std::string* drawFromPool(std::size_t poolStart);
    std::uint32_t recordOf(std::uint64_t keywordSet);
    std::uint32_t lookUpRecord(std::uint64_t keywordSet);
    void restoreSnapshot();

    std::vector<CKeywordRecord>& records_;
    std::optional<std::size_t> fallback_;
    const CRecordSetIndex& recordSets_;
    std::uint64_t allKeywords_ = 0;
    // The found keywords that some record holds, by id, with their bit; and the bits of
    // those that no record holds.
    std::vector<std::pair<KeywordId, std::uint64_t>> knownById_;
    std::uint64_t unknownKeywords_ = 0;
    std::vector<KeywordId> setIds_;
    // Each set's record once looked up (kNotLookedUp before).
    std::vector<std::uint32_t> recordTable_;
    std::unordered_map<std::uint64_t, std::uint32_t> recordMap_;
    // Candidates of every search still running, each one's own at the end.
    std::vector<const std::string*> pool_;
    std::uint64_t calls_ = 0;
    std::uint64_t callBudget_ = kNoBudget;
    bool outOfBudget_ = false;
    // Cursors as they were before this search touched them, for a search over budget.
    std::vector<std::pair<std::size_t, std::uint32_t>> savedCursors_;
    std::uint32_t savedRandomState_ = 0;
};
