#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One problem in the knowledge files that makes the oracle answer worse than its author meant.
struct SKnowledgeProblem {
    std::string file;     // "sw.dat" or "hv.dat"
    int line = 0;         // the record's or pair's line; 0 when the problem has no place
    std::string message;  // Windows-1252, like the texts it quotes
};

// How many lines of the answer box the program needs for an answer.
using AnswerLineCount = std::function<int(std::string_view)>;

struct SKnowledgeCheckOptions {
    // The help file's bytes; nothing: the help file is not checked.
    std::optional<std::string_view> helpFile;
    // How the program lays answers out; empty: the answers' length is not checked.
    AnswerLineCount answerLines;
};

// Reads both files as the engine does and lists what never answers, never matches or never
// swaps, in file order: records without answers, empty answers, a missing fallback record,
// repeated keyword sets, texts cut at 299 bytes, keywords that can never be found together,
// "*" in answers that are never echoed or that echo after a keyword no question begins with,
// a sentence said in more than three records, answers too long for the box, and word pairs
// that are empty or shadowed; then the help file (see checkHelpFile).
std::vector<SKnowledgeProblem> checkKnowledgeFiles(std::string_view keywordFile, std::string_view wordPairFile,
                                                  const SKnowledgeCheckOptions& options = {});

// The help file: read like the keyword file; every record needs phrases that can match and
// answers, and every answer must name a help number and fit the box.
std::vector<SKnowledgeProblem> checkHelpFile(std::string_view helpFile, const AnswerLineCount& answerLines);

// Whether a one-keyword record may echo: its keyword is two or more words and starts with a
// word a German question starts with ("SOLL ICH", "WIRD ER "), so what follows it in a
// question is a clause that reads well after the answer's opening.
bool isQuestionOpening(std::string_view keyword);

// The help numbers a help answer may name.
const std::vector<std::string>& helpNumbers();

// "sw.dat:12: message", or "sw.dat: message" without a line.
std::string formatKnowledgeProblem(const SKnowledgeProblem& problem);
