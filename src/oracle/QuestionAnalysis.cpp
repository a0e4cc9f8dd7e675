#include "oracle/QuestionAnalysis.h"

#include "oracle/MakeUpper.h"

namespace {

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Adds a keyword that occurs in the question to the found list, keeping only the longest
// of keywords that contain each other.
void addFoundKeyword(std::vector<std::string>& found, const std::string& keyword)
{
    bool add = true;
    for (auto it = found.begin(); it != found.end();) {
        if (*it != keyword && contains(keyword, *it)) {
            it = found.erase(it);
            continue;
        }
        if (contains(*it, keyword)) {
            add = false;
        }
        ++it;
    }
    if (add) {
        found.push_back(keyword);
    }
}

} // namespace

std::string cutAtSentenceEnd(const std::string& question)
{
    for (const char mark : {'.', '!', '?'}) {
        const std::size_t position = question.find(mark);
        if (position != std::string::npos) {
            return question.substr(0, position);
        }
    }
    return question;
}

QuestionAnalysis analyseQuestion(std::string question, const std::vector<std::string>& keywordIndex)
{
    QuestionAnalysis analysis;
    analysis.cutQuestion = cutAtSentenceEnd(question);
    analysis.scanText = std::move(question);
    makeUpper(analysis.scanText);
    for (const std::string& keyword : keywordIndex) {
        if (contains(analysis.scanText, keyword)) {
            addFoundKeyword(analysis.foundKeywords, keyword);
        }
    }
    return analysis;
}
