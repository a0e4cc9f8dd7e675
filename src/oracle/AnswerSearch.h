#pragma once
#include "oracle/CKeywordRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The answer search over the sub-sets of the found keywords, with keyword sets as bit masks
// (bit i = the i-th found keyword) and the records looked up by mask. It makes exactly the
// same calls in the same order as the plain recursion over keyword lists: every cursor
// advance and every draw happens as there, only without walking all records each time.
class CAnswerSearch {
public:
    static constexpr std::size_t kMaxKeywords = 64;
    static constexpr std::uint64_t kNoBudget = ~std::uint64_t{0};

    // `fallback` is the index of the record for "-NICHTS GEFUNDEN-", or nothing.
    // At most kMaxKeywords keywords, none twice.
    CAnswerSearch(std::vector<CKeywordRecord>& records, std::optional<std::size_t> fallback,
                  const std::vector<std::string>& keywords);

    // Searches the whole keyword set. When it would take more than `callBudget` searches
    // it stops, puts every cursor and the generator back as they were, and gives nothing.
    std::optional<std::string> run(std::uint64_t callBudget);

private:
    const std::string* search(std::uint64_t keywordSet);
    const std::string* findRecordAnswer(std::uint64_t keywordSet);
    const std::string* drawFromPool(std::size_t poolStart);
    void restoreSnapshot();

    std::vector<CKeywordRecord>& records_;
    std::optional<std::size_t> fallback_;
    std::uint64_t allKeywords_ = 0;
    // The first record for each keyword set it can match, sorted by set.
    std::vector<std::pair<std::uint64_t, std::size_t>> recordBySet_;
    // Candidates of every search still running, each one's own at the end.
    std::vector<const std::string*> pool_;
    std::uint64_t calls_ = 0;
    std::uint64_t callBudget_ = kNoBudget;
    bool outOfBudget_ = false;
    std::vector<std::pair<std::size_t, std::uint32_t>> savedCursors_;
    std::uint32_t savedRandomState_ = 0;
};
