#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One entry of the keyword file: a keyword set and the answers it gives in turn.
class CKeywordRecord {
public:
    // `keywords` are already folded with makeUpper; `answers` are kept byte for byte.
    CKeywordRecord(std::vector<std::string> keywords, std::vector<std::string> answers);

    const std::vector<std::string>& keywords() const { return keywords_; }
    const std::vector<std::string>& answers() const { return answers_; }
    std::uint32_t cursor() const { return cursor_; }
    // For putting back a saved cursor; kept within the answer list.
    void setCursor(std::uint32_t cursor);

    // Literal set comparison: the same number of keywords, and every keyword of the list
    // equal to one of the record's. A record that lists a keyword twice never matches.
    bool matches(const std::vector<std::string>& keywords) const;

    // The answer at the cursor, which then moves on cyclically. A record without answers
    // gives the empty text and keeps its cursor at 0. The reference stays valid as long
    // as the record lives.
    const std::string& nextAnswer();

private:
    std::vector<std::string> keywords_;
    std::vector<std::string> answers_;
    std::uint32_t cursor_ = 0;
};
