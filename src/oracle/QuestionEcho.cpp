#include "oracle/QuestionEcho.h"

void echoQuestion(std::string& answerText, const std::string& cutQuestion,
                  const std::string& scanText, const std::string& keyword, const CWordPairs& wordPairs)
{
    const std::size_t star = answerText.find('*');
    if (star == std::string::npos) {
        return;
    }
    std::string tail;
    const std::size_t position = scanText.find(keyword);
    if (position != std::string::npos && position + keyword.size() < cutQuestion.size()) {
        tail = cutQuestion.substr(position + keyword.size());
    }
    wordPairs.swapWords(tail);
    answerText.replace(star, 1, tail);
}
