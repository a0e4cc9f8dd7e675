#pragma once
#include <array>
#include <cstdint>
#include <string_view>

// Advances in pixels of the answer box font ("Arial" 20 pixels high, which resolves to Liberation
// Sans at 18 pixels per em, hinted for monochrome) for the Windows-1252 bytes 0x20 to 0xFF, as
// the program's font code measures them. Kept here so the data test needs no font library; taken
// once from the font that fonts-liberation installs.
inline constexpr std::array<std::uint8_t, 224> kAnswerFontAdvances = {
     5,  6,  6, 10, 10, 16, 12,  3,  6,  6,  7, 11,  5,  6,  5,  5,  // 0x20
    10, 10, 10, 10, 10, 10, 10, 10, 10, 10,  5,  5, 11, 11, 11, 10,  // 0x30
    18, 11, 12, 13, 13, 12, 11, 14, 13,  4,  9, 12, 10, 15, 13, 14,  // 0x40
    12, 14, 13, 12, 12, 13, 11, 17, 11, 12, 11,  5,  5,  5,  7, 10,  // 0x50
     6, 10, 10,  9, 10, 10,  5, 10, 10,  4,  4,  9,  4, 14, 10, 10,  // 0x60
    10, 10,  6,  9,  5, 10,  9, 13,  8,  9,  8,  6,  6,  6, 11,  7,  // 0x70
    10,  0,  4, 10,  7, 18, 10, 10,  6, 17, 12,  6, 18,  0, 11,  0,  // 0x80
     0,  4,  4,  7,  7,  6, 10, 18,  5, 18,  9,  6, 17,  0,  8, 12,  // 0x90
     5,  6, 11, 10, 10, 10,  6, 10,  6, 13,  6, 10, 11,  6, 13, 10,  // 0xa0
     7, 10,  6,  6,  6, 10, 10,  5,  6,  6,  7, 10, 15, 15, 15, 11,  // 0xb0
    11, 11, 11, 11, 11, 11, 18, 13, 12, 12, 12, 12,  4,  4,  4,  4,  // 0xc0
    13, 13, 14, 14, 14, 14, 14, 11, 14, 13, 13, 13, 13, 12, 12, 11,  // 0xd0
    10, 10, 10, 10, 10, 10, 16,  9, 10, 10, 10, 10,  6,  6,  6,  6,  // 0xe0
    10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10,  9, 10,  9,  // 0xf0
};

inline int answerFontWidth(std::string_view text)
{
    int width = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        width += byte < 0x20 ? 0 : kAnswerFontAdvances[byte - 0x20];
    }
    return width;
}
