// The font files of the painters' typefaces, found through fontconfig wherever the system keeps them.
#pragma once
#include <string>

namespace assetgen {

// The file of the face that fontconfig matches to the pattern (such as "P052:style=Bold").
// Throws when no installed face of that family matches, so art is never drawn in a substitute.
std::string findFontFile(const std::string& pattern);

} // namespace assetgen
