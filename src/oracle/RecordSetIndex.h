#pragma once
#include "oracle/CKeywordRecord.h"
#include "oracle/KeywordIndex.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The first record for each keyword set, found by the set's keywords without walking the
// records. Records that list a keyword twice can never match a found-keyword list and are
// left out.
class CRecordSetIndex {
public:
    using KeywordId = CKeywordIndex::KeywordId;

    CRecordSetIndex() = default;
    // `keywords` lists the records' keywords record after record.
    CRecordSetIndex(const std::vector<CKeywordRecord>& records, const CKeywordIndex& keywords);

    // A set's hash is the sum of its keywords' hashes, so it does not depend on order and
    // can be summed up in any way.
    static std::uint64_t keywordHash(KeywordId id);

    // The first record whose keywords are exactly `sortedIds` (ascending, none twice);
    // `setHash` is the sum of their keyword hashes.
    std::optional<std::size_t> firstRecordWith(std::span<const KeywordId> sortedIds, std::uint64_t setHash) const;

private:
    static constexpr std::uint32_t kEmpty = ~std::uint32_t{0};

    std::span<const KeywordId> idsOf(std::uint32_t set) const;
    std::size_t slotOf(std::span<const KeywordId> sortedIds, std::uint64_t setHash) const;

    // Per distinct set: its first record, its hash, its sorted keywords in `ids_`.
    std::vector<std::uint32_t> setRecord_;
    std::vector<std::uint64_t> setHash_;
    std::vector<std::uint32_t> setIdsBegin_{0};
    std::vector<KeywordId> ids_;
    // Open addressing: set numbers by hash, kEmpty where free; the size is a power of two.
    std::vector<std::uint32_t> slots_;
};
