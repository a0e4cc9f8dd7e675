#include "oracle/CKeywordRecord.h"

#include <algorithm>

CKeywordRecord::CKeywordRecord(std::vector<std::string> keywords, std::vector<std::string> answers)
    : keywords_(std::move(keywords)), answers_(std::move(answers))
{
}

void CKeywordRecord::setCursor(std::uint32_t cursor)
{
    cursor_ = answers_.empty() ? 0 : cursor % static_cast<std::uint32_t>(answers_.size());
}

bool CKeywordRecord::matches(const std::vector<std::string>& keywords) const
{
    if (keywords.size() != keywords_.size()) {
        return false;
    }
    return std::all_of(keywords.begin(), keywords.end(), [this](const std::string& keyword) {
        return std::find(keywords_.begin(), keywords_.end(), keyword) != keywords_.end();
    });
}

const std::string& CKeywordRecord::nextAnswer()
{
    static const std::string kNoAnswer;
    if (answers_.empty()) {
        return kNoAnswer;
    }
    const std::string& answer = answers_[cursor_];
    cursor_ = static_cast<std::uint32_t>((cursor_ + 1u) % answers_.size());
    return answer;
}
