#pragma once
#include "oracle/KnowledgeCheck.h"

#include <optional>

// How many lines of the answer box the program needs for an answer: its own font code
// measures, its own layout code breaks. Nothing when this build has no font library or the
// box's font cannot be opened.
std::optional<AnswerLineCount> openAnswerBoxLines();
