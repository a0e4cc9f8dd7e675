#include "oracle/AnswerSearch.h"

#include "oracle/Random.h"

#include <algorithm>
#include <cassert>

namespace {

const std::string* nonEmpty(const std::string& answer)
{
    return answer.empty() ? nullptr : &answer;
}

} // namespace

CAnswerSearch::CAnswerSearch(std::vector<CKeywordRecord>& records, std::optional<std::size_t> fallback,
                             const CRecordSetIndex& recordSets,
                             const std::vector<std::optional<KeywordId>>& keywords)
    : records_(records), fallback_(fallback), recordSets_(recordSets)
{
    assert(keywords.size() <= kMaxKeywords);
    allKeywords_ = keywords.size() == kMaxKeywords ? ~std::uint64_t{0}
                                                   : (std::uint64_t{1} << keywords.size()) - 1;
    for (std::size_t i = 0; i < keywords.size(); ++i) {
        const std::uint64_t bit = std::uint64_t{1} << i;
        if (keywords[i]) {
            knownById_.emplace_back(*keywords[i], bit);
        } else {
            unknownKeywords_ |= bit;
        }
    }
    std::sort(knownById_.begin(), knownById_.end());
    if (keywords.size() <= kTableLimit) {
        recordTable_.assign(std::size_t{1} << keywords.size(), kNotLookedUp);
    }
}

std::optional<std::string> CAnswerSearch::run(std::uint64_t callBudget)
{
    callBudget_ = callBudget;
    calls_ = 0;
    outOfBudget_ = false;
    pool_.clear();
    std::fill(recordTable_.begin(), recordTable_.end(), kNotLookedUp);
    recordMap_.clear();
    savedCursors_.clear();
    if (callBudget != kNoBudget) {
        savedRandomState_ = randomState();
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

// Backwards, so that the earliest note wins where the fallback record was noted twice.
void CAnswerSearch::restoreSnapshot()
{
    for (auto it = savedCursors_.rbegin(); it != savedCursors_.rend(); ++it) {
        records_[it->first].setCursor(it->second);
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
    const std::uint32_t record = recordOf(keywordSet);
    return record == kNoRecord ? nullptr : nonEmpty(records_[record].nextAnswer());
}

// Each set is looked up once per search; a search that may be undone notes the cursor of
// each record it reaches before that record first moves.
std::uint32_t CAnswerSearch::recordOf(std::uint64_t keywordSet)
{
    std::uint32_t& record = recordTable_.empty() ? recordMap_.try_emplace(keywordSet, kNotLookedUp).first->second
                                                 : recordTable_[keywordSet];
    if (record == kNotLookedUp) {
        record = lookUpRecord(keywordSet);
        if (record != kNoRecord && callBudget_ != kNoBudget) {
            savedCursors_.emplace_back(record, records_[record].cursor());
        }
    }
    return record;
}

std::uint32_t CAnswerSearch::lookUpRecord(std::uint64_t keywordSet)
{
    if (keywordSet & unknownKeywords_) {
        return kNoRecord;
    }
    setIds_.clear();
    std::uint64_t hash = 0;
    for (const auto& [id, bit] : knownById_) {
        if (keywordSet & bit) {
            setIds_.push_back(id);
            hash += CRecordSetIndex::keywordHash(id);
        }
    }
    const auto record = recordSets_.firstRecordWith(setIds_, hash);
    return record ? static_cast<std::uint32_t>(*record) : kNoRecord;
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
