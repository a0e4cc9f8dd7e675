#include "oracle/CHelpCheck.h"
#include "oracle/KeywordFile.h"
#include "oracle/KnowledgeProblemList.h"

#include <algorithm>

namespace {

bool namesHelpNumber(const std::string& answer)
{
    return std::any_of(helpNumbers().begin(), helpNumbers().end(),
                       [&](const std::string& number) { return answer.find(number) != std::string::npos; });
}

// A phrase whose every part is blanks alone would match every question; the check drops it.
bool canMatch(const std::string& phrase)
{
    std::size_t start = 0;
    for (;;) {
        const std::size_t star = phrase.find('*', start);
        const std::string part = helpMatchText(phrase.substr(start, star == std::string::npos ? star : star - start));
        if (part.find_first_not_of(' ') == std::string::npos) {
            return false;
        }
        if (star == std::string::npos) {
            return true;
        }
        start = star + 1;
    }
}

void checkHelpAnswer(const SQuotedText& answer, const std::string& what, int line, const AnswerLineCount& answerLines,
                     CProblemList& problems)
{
    checkText(answer, what, line, problems);
    if (answer.text.empty()) {
        problems.add(line, what + " is empty: a question in distress would get an empty scroll");
        return;
    }
    if (!namesHelpNumber(answer.text)) {
        problems.add(line, what + " names no help number");
    }
    if (answer.text.find('*') != std::string::npos) {
        problems.add(line, what + " holds \"*\": help answers are never echoed, it is shown as it stands");
    }
    checkBoxLength(answer.text, what, line, answerLines, problems);
}

void checkHelpRecord(const CKeywordRecord& record, const SKeywordRecordOrigin& origin,
                     const AnswerLineCount& answerLines, CProblemList& problems)
{
    const int line = origin.keywords.front().line;
    for (std::size_t k = 0; k < origin.keywords.size(); ++k) {
        checkText(origin.keywords[k], recordName(record) + ": phrase " + std::to_string(k + 1), line, problems);
        if (!canMatch(record.keywords()[k])) {
            problems.add(line, recordName(record) + ": phrase " + shown(record.keywords()[k]) +
                                   " has a part without letters or digits: it is never matched");
        }
    }
    if (record.answers().empty()) {
        problems.add(line, recordName(record) + " has no answers: its phrases are passed to the oracle");
    }
    for (std::size_t i = 0; i < origin.answers.size(); ++i) {
        const SQuotedText& answer = origin.answers[i];
        const std::string where = answer.line == line ? "" : atLine(answer.line);
        checkHelpAnswer(answer, recordName(record) + ": answer " + std::to_string(i + 1) + where, line, answerLines,
                        problems);
    }
}

} // namespace

const std::vector<std::string>& helpNumbers()
{
    // Germany: Telefonseelsorge, Nummer gegen Kummer, the help lines against violence towards
    // women and against sexual abuse, police, emergency; Austria: Telefonseelsorge, Rat auf
    // Draht; Switzerland: Die Dargebotene Hand, Pro Juventute (147 as in Austria).
    static const std::vector<std::string> kNumbers{"0800 111 0 111", "0800 111 0 222", "116 111", "116 016",
                                                   "0800 22 55 530", "110", "112", "142", "147", "143"};
    return kNumbers;
}

std::vector<SKnowledgeProblem> checkHelpFile(std::string_view helpFile, const AnswerLineCount& answerLines)
{
    std::vector<SKnowledgeProblem> problems;
    CProblemList list("hilfe.dat", problems);
    const SKeywordFileContents contents = readKeywordFile(helpFile);
    if (contents.records.empty()) {
        list.add(0, "no records: every question goes to the oracle");
    }
    for (std::size_t i = 0; i < contents.records.size(); ++i) {
        checkHelpRecord(contents.records[i], contents.origins[i], answerLines, list);
    }
    return problems;
}
