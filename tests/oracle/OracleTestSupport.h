#pragma once
#include "oracle/CAnswerEngine.h"

#include <string>
#include <utility>
#include <vector>

struct TestRecord {
    std::vector<std::string> keywords;
    std::vector<std::string> answers;
};

// A keyword file in the shipped layout: a heading, then "#" and the keywords on one line,
// one answer per line, CR LF.
inline std::string keywordFileText(const std::vector<TestRecord>& records)
{
    std::string text = "Schluesselwoerter\r\n\r\n";
    for (const TestRecord& record : records) {
        text += "#";
        for (const std::string& keyword : record.keywords) {
            text += " \"" + keyword + "\"";
        }
        text += "\r\n";
        for (const std::string& answer : record.answers) {
            text += "\"" + answer + "\"\r\n";
        }
        text += "\r\n";
    }
    return text;
}

inline std::string wordPairFileText(const std::vector<std::pair<std::string, std::string>>& pairs)
{
    std::string text;
    for (const auto& [from, to] : pairs) {
        text += "\"" + from + "\" \"" + to + "\"\r\n";
    }
    return text;
}

inline CAnswerEngine makeEngine(const std::vector<TestRecord>& records,
                                const std::vector<std::pair<std::string, std::string>>& pairs = {})
{
    return CAnswerEngine::fromFileBytes(keywordFileText(records), wordPairFileText(pairs));
}
