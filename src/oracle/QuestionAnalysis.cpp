#include "oracle/QuestionAnalysis.h"

#include "oracle/MakeUpper.h"

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

SQuestionAnalysis analyseQuestion(std::string question, const CKeywordIndex& keywordIndex)
{
    SQuestionAnalysis analysis;
    analysis.cutQuestion = cutAtSentenceEnd(question);
    analysis.scanText = std::move(question);
    makeUpper(analysis.scanText);
    analysis.foundKeywords = keywordIndex.findKeywords(analysis.scanText);
    return analysis;
}

SQuestionAnalysis analyseQuestion(std::string question, const std::vector<std::string>& keywordIndex)
{
    return analyseQuestion(std::move(question), CKeywordIndex(keywordIndex));
}
