#include "oracle/AnswerSearch.h"

#include "oracle/Random.h"

#include <algorithm>
#include <cassert>

namespace {

// The record's keyword set as a mask over the found keywords, or nothing when the record
// can never match one of their sub-sets: a keyword that was not found, or one listed twice.
std::optional<std::uint64_t> keywordSetOf(const CKeywordRecord& record,
                                          const std::vector<std::string>& found)
{
    std::uint64_t set = 0;
    for (const std::string& keyword : record.keywords()) {
        const auto it = std::find(found.begin(), found.end(), keyword);
        if (it == found.end()) {
            return std::nullopt;
        }
        const std::uint64_t bit = std::uint64_t{1} << (it - found.begin());
        if (set & bit) {
            return std::nullopt;
        }
        set |= bit;
    }
    return set;
}

const std::string* nonEmpty(const std::string& answer)
{
    return answer.empty() ? nullptr : &answer;
}

} // namespace

CAnswerSearch::CAnswerSearch(std::vector<CKeywordRecord>& records, std::optional<std::size_t> fallback,
                             const std::vector<std::string>& keywords)
    : records_(records), fallback_(fallback)
{
    assert(keywords.size() <= kMaxKeywords);
    allKeywords_ = keywords.size() == kMaxKeywords ? ~std::uint64_t{0}
                                                   : (std::uint64_t{1} << keywords.size()) - 1;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto set = keywordSetOf(records[i], keywords);
        if (set && *set != 0) {
            recordBySet_.emplace_back(*set, i);
        }
    }
    // A stable sort keeps the first record of each set in front: only that one answers.
    std::stable_sort(recordBySet_.begin(), recordBySet_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    recordBySet_.erase(std::unique(recordBySet_.begin(), recordBySet_.end(),
                                   [](const auto& a, const auto& b) { return a.first == b.first; }),
                       recordBySet_.end());
}

std::optional<std::string> CAnswerSearch::run(std::uint64_t callBudget)
{
    callBudget_ = callBudget;
    calls_ = 0;
    outOfBudget_ = false;
    pool_.clear();
    if (callBudget != kNoBudget) {
        savedRandomState_ = randomState();
        savedCursors_.clear();
        for (const auto& [set, index] : recordBySet_) {
            savedCursors_.emplace_back(index, records_[index].cursor());
        }
        if (fallback_) {
            savedCursors_.emplace_back(*fallback_, records_[*fallback_].cursor());
        }
    }
    const std::string* result = search(allKeywords_);
    if (outOfBudget_) {
        restoreSnapshot();
        return std::nullopt;
    }
    return result ? *result : std::string();
}

void CAnswerSearch::restoreSnapshot()
{
    for (const auto& [index, cursor] : savedCursors_) {
        records_[index].setCursor(cursor);
    }
    seedRandom(savedRandomState_);
}

const std::string* CAnswerSearch::search(std::uint64_t keywordSet)
{
    if (++calls_ > callBudget_) {
        outOfBudget_ = true;
        return nullptr;
    }
    if (const std::string* answer = findRecordAnswer(keywordSet)) {
        return answer;
    }
    if (keywordSet == 0) {
        return nullptr;
    }
    const std::size_t poolStart = pool_.size();
    for (std::uint64_t rest = keywordSet; rest != 0; rest &= rest - 1) {
        const std::uint64_t lowestKeyword = rest & (~rest + 1);
        const std::string* candidate = search(keywordSet & ~lowestKeyword);
        if (outOfBudget_) {
            return nullptr;
        }
        if (candidate) {
            pool_.push_back(candidate);
        }
    }
    return drawFromPool(poolStart);
}

// The empty set stands for the fallback record. An empty answer counts as none found,
// though the record's cursor has moved on all the same.
const std::string* CAnswerSearch::findRecordAnswer(std::uint64_t keywordSet)
{
    if (keywordSet == 0) {
        return fallback_ ? nonEmpty(records_[*fallback_].nextAnswer()) : nullptr;
    }
    const auto it = std::lower_bound(recordBySet_.begin(), recordBySet_.end(), keywordSet,
                                     [](const auto& entry, std::uint64_t set) { return entry.first < set; });
    if (it == recordBySet_.end() || it->first != keywordSet) {
        return nullptr;
    }
    return nonEmpty(records_[it->second].nextAnswer());
}

// One draw picks a candidate, also when there is just one; with none there is no draw.
const std::string* CAnswerSearch::drawFromPool(std::size_t poolStart)
{
    const std::size_t candidates = pool_.size() - poolStart;
    if (candidates == 0) {
        return nullptr;
    }
    const auto drawn = static_cast<std::size_t>(drawRandom());
    const std::string* chosen = pool_[poolStart + drawn % candidates];
    pool_.resize(poolStart);
    return chosen;
}
