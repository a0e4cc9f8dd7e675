#include "oracle/RecordSetIndex.h"

#include <algorithm>
#include <bit>

CRecordSetIndex::CRecordSetIndex(const std::vector<CKeywordRecord>& records, const CKeywordIndex& keywords)
    : slots_(std::bit_ceil(2 * records.size() + 2), kEmpty)
{
    std::vector<KeywordId> set;
    std::size_t position = 0;
    for (std::size_t record = 0; record < records.size(); ++record) {
        set.clear();
        std::uint64_t hash = 0;
        for (std::size_t k = 0; k < records[record].keywords().size(); ++k, ++position) {
            set.push_back(keywords.idAt(position));
            hash += keywordHash(set.back());
        }
        std::sort(set.begin(), set.end());
        if (std::adjacent_find(set.begin(), set.end()) != set.end()) {
            continue;
        }
        const std::size_t slot = slotOf(set, hash);
        if (slots_[slot] != kEmpty) {
            continue;  // a record before it has the same set and is the one that answers
        }
        slots_[slot] = static_cast<std::uint32_t>(setRecord_.size());
        setRecord_.push_back(static_cast<std::uint32_t>(record));
        setHash_.push_back(hash);
        ids_.insert(ids_.end(), set.begin(), set.end());
        setIdsBegin_.push_back(static_cast<std::uint32_t>(ids_.size()));
    }
}

std::uint64_t CRecordSetIndex::keywordHash(KeywordId id)
{
    std::uint64_t x = id + 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

namespace {

bool equalIds(std::span<const CRecordSetIndex::KeywordId> a, std::span<const CRecordSetIndex::KeywordId> b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

} // namespace

std::span<const CRecordSetIndex::KeywordId> CRecordSetIndex::idsOf(std::uint32_t set) const
{
    return std::span<const KeywordId>(ids_).subspan(setIdsBegin_[set], setIdsBegin_[set + 1] - setIdsBegin_[set]);
}

// The slot that holds the set, or the free slot where it would go.
std::size_t CRecordSetIndex::slotOf(std::span<const KeywordId> sortedIds, std::uint64_t setHash) const
{
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = setHash & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t set = slots_[slot];
        if (set == kEmpty ||
            (setHash_[set] == setHash && equalIds(idsOf(set), sortedIds))) {
            return slot;
        }
    }
}

std::optional<std::size_t> CRecordSetIndex::firstRecordWith(std::span<const KeywordId> sortedIds,
                                                           std::uint64_t setHash) const
{
    if (slots_.empty()) {
        return std::nullopt;
    }
    const std::uint32_t set = slots_[slotOf(sortedIds, setHash)];
    if (set == kEmpty) {
        return std::nullopt;
    }
    return setRecord_[set];
}
