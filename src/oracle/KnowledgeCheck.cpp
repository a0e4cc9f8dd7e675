#include "oracle/KnowledgeCheck.h"

#include "oracle/CAnswerEngine.h"
#include "oracle/CWordPairs.h"
#include "oracle/KeywordFile.h"
#include "oracle/KnowledgeProblemList.h"
#include "oracle/MakeUpper.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

namespace {

// The longest question the entry box takes; a longer keyword can never occur in one.
constexpr std::size_t kLongestQuestion = 200;

bool hasControlByte(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

void checkKeywords(const CKeywordRecord& record, int line, CProblemList& problems)
{
    const auto& keywords = record.keywords();
    for (std::size_t i = 0; i < keywords.size(); ++i) {
        const std::string& keyword = keywords[i];
        const std::string name = "keyword " + shown(keyword);
        if (keyword.empty()) {
            problems.add(line, recordName(record) + ": empty keyword; it is found in every question "
                                                    "but dropped beside any other keyword");
        } else if (keyword.size() > kLongestQuestion) {
            problems.add(line, recordName(record) + ": " + name + " is longer than a question can be: never found");
        } else if (hasControlByte(keyword)) {
            problems.add(line, recordName(record) + ": " + name + " holds a line end or control byte: never found");
        }
        for (std::size_t j = 0; j < keywords.size(); ++j) {
            if (i == j || keyword.empty()) {
                continue;
            }
            if (keywords[j] == keyword && j < i) {
                problems.add(line, recordName(record) + ": " + name + " is listed twice: the record never answers");
            } else if (keywords[j] != keyword && keywords[j].find(keyword) != std::string::npos) {
                problems.add(line, recordName(record) + ": " + name + " is never found together with " +
                                       shown(keywords[j]) + ", which contains it and always wins: "
                                                            "the record never answers");
            }
        }
    }
}

// A sentence said by more records than this reads as a formula.
constexpr std::size_t kMostRecordsPerSentence = 3;

void checkEcho(const CKeywordRecord& record, const std::string& what, CProblemList& problems, int line)
{
    if (record.keywords().size() == 1 && !isQuestionOpening(record.keywords().front())) {
        problems.add(line, what + " holds \"*\", but " + shown(record.keywords().front()) +
                               " is no question opening (two or more words, the first one a word "
                               "questions begin with): the echo pastes whatever follows it");
    }
}

void checkAnswers(const CKeywordRecord& record, const SKeywordRecordOrigin& origin, int line,
                  const AnswerLineCount& answerLines, CProblemList& problems)
{
    if (record.answers().empty()) {
        problems.add(line, recordName(record) + " has no answers");
    }
    for (std::size_t i = 0; i < origin.answers.size(); ++i) {
        const SQuotedText& answer = origin.answers[i];
        const std::string what = recordName(record) + ": answer " + std::to_string(i + 1);
        const std::string where = answer.line == line ? "" : atLine(answer.line);
        if (answer.text.empty()) {
            problems.add(line, what + where + " is empty: it never answers and the search goes on");
        }
        if (answer.text.find('*') != std::string::npos) {
            if (record.keywords().size() > 1) {
                problems.add(line, what + where + " holds \"*\", which is only replaced for one-keyword "
                                                  "questions: it is shown as it stands");
            } else {
                checkEcho(record, what + where, problems, line);
            }
        }
        checkText(answer, what, line, problems);
        checkBoxLength(answer.text, what + where, line, answerLines, problems);
    }
}

// The set a record answers for; nothing for a record that lists a keyword twice.
std::optional<std::vector<std::string>> keywordSet(const CKeywordRecord& record)
{
    std::vector<std::string> set = record.keywords();
    std::sort(set.begin(), set.end());
    if (std::adjacent_find(set.begin(), set.end()) != set.end()) {
        return std::nullopt;
    }
    return set;
}

// Each sentence with the lines of the records that say it, once per record.
void checkRepeatedSentences(const SKeywordFileContents& contents, CProblemList& problems)
{
    std::map<std::string, std::vector<int>> linesOfSentence;
    for (const SKeywordRecordOrigin& origin : contents.origins) {
        const int line = origin.keywords.front().line;
        std::set<std::string> said;
        for (const SQuotedText& answer : origin.answers) {
            if (!answer.text.empty() && said.insert(answer.text).second) {
                linesOfSentence[answer.text].push_back(line);
            }
        }
    }
    for (const auto& [sentence, lines] : linesOfSentence) {
        if (lines.size() <= kMostRecordsPerSentence) {
            continue;
        }
        std::string where;
        for (const int line : lines) {
            where += (where.empty() ? "" : ", ") + std::to_string(line);
        }
        problems.add(lines[kMostRecordsPerSentence], "answer " + shown(sentence) + " is said by " +
                                                         std::to_string(lines.size()) + " records (lines " +
                                                         where + "): more than three");
    }
}

void checkKeywordFile(std::string_view fileBytes, const AnswerLineCount& answerLines, CProblemList& problems)
{
    const SKeywordFileContents contents = readKeywordFile(fileBytes);
    std::map<std::vector<std::string>, int> firstLineOfSet;
    bool hasFallback = false;
    for (std::size_t i = 0; i < contents.records.size(); ++i) {
        const CKeywordRecord& record = contents.records[i];
        const SKeywordRecordOrigin& origin = contents.origins[i];
        const int line = origin.keywords.front().line;
        for (std::size_t k = 0; k < origin.keywords.size(); ++k) {
            checkText(origin.keywords[k], recordName(record) + ": keyword " + std::to_string(k + 1), line,
                      problems);
        }
        checkKeywords(record, line, problems);
        if (const auto set = keywordSet(record)) {
            const auto [first, inserted] = firstLineOfSet.emplace(*set, line);
            if (!inserted) {
                problems.add(line, recordName(record) + " has the same keywords as the record at line " +
                                       std::to_string(first->second) + ": it never answers");
            }
        }
        checkAnswers(record, origin, line, answerLines, problems);
        hasFallback = hasFallback || record.matches({std::string(CAnswerEngine::NOTHING_FOUND)});
    }
    if (!hasFallback) {
        problems.add(0, "no fallback record " + shown(CAnswerEngine::NOTHING_FOUND) +
                            ": questions without a known keyword get no answer");
    }
    checkRepeatedSentences(contents, problems);
}

const std::set<std::string>& questionOpeningWords()
{
    static const std::set<std::string> kWords{
        "SOLL", "SOLLTE", "SOLLEN", "SOLLTEN", "WIRD", "WERDE", "WERDEN", "W\xDCRDE", "W\xDCRDEN", "KANN",
        "K\xD6NNTE", "K\xD6NNEN", "DARF", "D\xDCRFEN", "MUSS", "M\xDCSSTE", "M\xDCSSEN", "M\xD6" "CHTE", "WILL",
        "WOLLEN", "IST", "BIN", "BIST", "SIND", "WAR", "HAT", "HABE", "HAST", "HABEN", "HATTE", "LIEBT",
        "MAG", "MAGST", "PASST", "GIBT", "BRAUCHT", "BRAUCHE", "WEISS", "WER", "WAS", "WANN", "WIE", "WO",
        "WARUM", "WESHALB", "WIESO", "WOHER", "WOHIN", "WELCHE", "WELCHER", "WELCHES", "OB"};
    return kWords;
}

bool isSwappableWord(const std::string& word)
{
    return !std::all_of(word.begin(), word.end(), isWordSeparator);
}

// Whether `word` stands as a whole word somewhere inside `longer`.
bool occursAsWholeWord(const std::string& longer, const std::string& word)
{
    for (std::size_t at = longer.find(word); at != std::string::npos; at = longer.find(word, at + 1)) {
        if (isWholeWord(longer, word, at)) {
            return true;
        }
    }
    return false;
}

// A word of an earlier pair against a word of a later pair (both folded).
void checkPairOrder(const std::string& earlier, int earlierLine, const std::string& later, int laterLine,
                    CProblemList& problems)
{
    if (earlier == later) {
        problems.add(laterLine, "word " + shown(later) + " is already swapped by the pair at line " +
                                    std::to_string(earlierLine) + ": this pair never swaps it");
    } else if (later.find(earlier) != std::string::npos) {
        if (occursAsWholeWord(later, earlier)) {
            problems.add(laterLine, "word " + shown(later) + " contains " + shown(earlier) +
                                        ", which the pair at line " + std::to_string(earlierLine) +
                                        " swaps first: this pair never swaps it");
        } else {
            problems.add(earlierLine, "word " + shown(earlier) + " is shadowed by " + shown(later) +
                                          " of the later pair at line " + std::to_string(laterLine) +
                                          ": where that longer word comes first, this pair swaps nothing; "
                                          "put the longer word's pair first");
        }
    }
}

void checkWordPairFile(std::string_view fileBytes, CProblemList& problems)
{
    const SWordPairFileContents contents = readWordPairFile(fileBytes);
    std::vector<std::pair<std::string, int>> words;  // folded words of the usable pairs so far
    for (const SWordPairOrigin& origin : contents.origins) {
        const int line = origin.from.line;
        checkText(origin.from, "pair text 1", line, problems);
        checkText(origin.to, "pair text 2", line, problems);
        if (!isSwappableWord(origin.from.text) || !isSwappableWord(origin.to.text)) {
            problems.add(line, "word pair " + shown(origin.from.text) + " " + shown(origin.to.text) +
                                   " has an empty text or one of separators only: it is never swapped");
            continue;
        }
        const std::vector<std::string> pairWords{upperCopy(origin.from.text), upperCopy(origin.to.text)};
        for (const auto& [earlier, earlierLine] : words) {
            for (const std::string& later : pairWords) {
                checkPairOrder(earlier, earlierLine, later, line, problems);
            }
        }
        for (const std::string& word : pairWords) {
            words.emplace_back(word, line);
        }
    }
    for (const SQuotedText& text : contents.unpaired) {
        problems.add(text.line, "text " + shown(text.text) + " has no partner: it is dropped");
    }
}

} // namespace

std::vector<SKnowledgeProblem> checkKnowledgeFiles(std::string_view keywordFile, std::string_view wordPairFile,
                                                  const SKnowledgeCheckOptions& options)
{
    std::vector<SKnowledgeProblem> problems;
    CProblemList keywordProblems("sw.dat", problems);
    checkKeywordFile(keywordFile, options.answerLines, keywordProblems);
    CProblemList pairProblems("hv.dat", problems);
    checkWordPairFile(wordPairFile, pairProblems);
    if (options.helpFile) {
        for (SKnowledgeProblem& problem : checkHelpFile(*options.helpFile, options.answerLines)) {
            problems.push_back(std::move(problem));
        }
    }
    return problems;
}

bool isQuestionOpening(std::string_view keyword)
{
    const std::size_t first = keyword.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return false;
    }
    const std::size_t firstEnd = std::min(keyword.find(' ', first), keyword.size());
    const bool moreWords = keyword.find_first_not_of(' ', firstEnd) != std::string_view::npos;
    return moreWords && questionOpeningWords().count(std::string(keyword.substr(first, firstEnd - first))) != 0;
}

std::string formatKnowledgeProblem(const SKnowledgeProblem& problem)
{
    if (problem.line == 0) {
        return problem.file + ": " + problem.message;
    }
    return problem.file + ":" + std::to_string(problem.line) + ": " + problem.message;
}
