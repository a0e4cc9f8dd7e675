#pragma once
#include <string>
#include <string_view>
#include <vector>

// One problem in the knowledge files that makes the oracle answer worse than its author meant.
struct KnowledgeProblem {
    std::string file;     // "sw.dat" or "hv.dat"
    int line = 0;         // the record's or pair's line; 0 when the problem has no place
    std::string message;  // Windows-1252, like the texts it quotes
};

// Reads both files as the engine does and lists what never answers, never matches or never
// swaps, in file order: records without answers, empty answers, a missing fallback record,
// repeated keyword sets, texts cut at 299 bytes, keywords that can never be found together,
// "*" in answers that are never echoed, and word pairs that are empty or shadowed.
std::vector<KnowledgeProblem> checkKnowledgeFiles(std::string_view keywordFile,
                                                  std::string_view wordPairFile);

// "sw.dat:12: message", or "sw.dat: message" without a line.
std::string formatKnowledgeProblem(const KnowledgeProblem& problem);
