#include "common/Cp1252.h"

#include <gtest/gtest.h>

// German letters are single bytes; the high control range maps both ways.
TEST(Cp1252, HighControlRangeMapsBothWays)
{
    EXPECT_EQ(utf8ToCp1252("ä ö ü ß Ä Ö Ü"), "\xE4 \xF6 \xFC \xDF \xC4 \xD6 \xDC");
    EXPECT_EQ(cp1252ToUtf8("\xE4\xF6\xFC\xDF\xC4\xD6\xDC"), "äöüßÄÖÜ");
    EXPECT_EQ(utf8ToCp1252("€ … ‚ Ÿ"), "\x80 \x85 \x82 \x9F");
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const std::string utf8 = cp1252ToUtf8(one);
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) {
            EXPECT_EQ(utf8, "\xEF\xBF\xBD") << b;  // unused bytes show as U+FFFD
            EXPECT_EQ(utf8ToCp1252(utf8), "");
        } else {
            EXPECT_EQ(utf8ToCp1252(utf8), one) << "byte " << b;
        }
    }
}

TEST(Cp1252, UnmappableAndMalformedAreDroppedOrReplaced)
{
    EXPECT_EQ(utf8ToCp1252("a\xE2\x82\xACz"), "a\x80z");
    EXPECT_EQ(utf8ToCp1252("a\xE6\x97\xA5z"), "az");           // CJK: not in the code page
    EXPECT_EQ(utf8ToCp1252("a\xE6\x97\xA5z", '\0'), std::string("a\0z", 3));
    EXPECT_EQ(utf8ToCp1252("a\xC3"), "a");                       // truncated sequence
    EXPECT_EQ(utf8ToCp1252("\xC0\x80x"), "x");                   // overlong NUL
    EXPECT_EQ(utf8ToCp1252("\xED\xA0\x80y"), "y");               // surrogate
    EXPECT_EQ(utf8ToCp1252("\xF0\x9F\x98\x80!"), "!");           // emoji
}
