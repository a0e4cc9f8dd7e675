#pragma once
#include "oracle/CWordPairs.h"

#include <string>

// Puts the rest of the question after `keyword` (its first occurrence in the scan text),
// with the pairs' words swapped, in place of the first "*" of `answerText`. The rest is
// empty when the keyword ends at or beyond the cut question's end.
void echoQuestion(std::string& answerText, const std::string& cutQuestion,
                  const std::string& scanText, const std::string& keyword, const CWordPairs& wordPairs);
