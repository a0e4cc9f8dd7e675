#pragma once
#include <string>

// Case folding shared by keywords, questions and word pairs: a-z and the small umlauts
// ä ö ü (Windows-1252) become capitals; every other byte, ß included, stays as it is.
void makeUpper(std::string& text);

// A folded copy.
std::string upperCopy(std::string text);
