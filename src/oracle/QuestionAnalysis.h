#pragma once
#include "oracle/KeywordIndex.h"

#include <string>
#include <vector>

// What the engine makes of a question before it searches.
struct SQuestionAnalysis {
    std::string cutQuestion;                 // as typed, up to its first sentence end
    std::string scanText;                    // the whole question, folded
    std::vector<std::string> foundKeywords;  // in index order, none inside another
};

// The question cut at its first ".", or failing that its first "!", or failing that its
// first "?" (each mark searched over the whole text before the next one is tried).
std::string cutAtSentenceEnd(const std::string& question);

// Cuts and folds the question and finds the keywords of `keywordIndex` that occur in it
// (anywhere, also inside a longer word). Of keywords that contain one another only the
// longest is kept; one listed several times is found once, at its first place.
SQuestionAnalysis analyseQuestion(std::string question, const CKeywordIndex& keywordIndex);

// The same over a plain keyword list, indexed for this one question.
SQuestionAnalysis analyseQuestion(std::string question, const std::vector<std::string>& keywordIndex);
