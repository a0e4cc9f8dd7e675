#include "platform/win32/Utf8Console.h"

#include <gtest/gtest.h>

TEST(Utf8Console, ConsoleLinesArriveAsUtf8WithoutCarriageReturns)
{
    std::wstring pending = L"Liebt mich J\u00fcrgen? \u00c4\u00d6\u00dc\u00df\r\n";
    EXPECT_EQ(consoleTextToUtf8(pending), "Liebt mich J\xC3\xBCrgen? \xC3\x84\xC3\x96\xC3\x9C\xC3\x9F\n");
    EXPECT_TRUE(pending.empty());

    // A character beyond the 16-bit range, its halves in two reads.
    pending = L"Herz \xD83D";
    EXPECT_EQ(consoleTextToUtf8(pending), "Herz ");
    EXPECT_EQ(pending, L"\xD83D");
    pending += L"\xDC96!\r\n";
    EXPECT_EQ(consoleTextToUtf8(pending), "\xF0\x9F\x92\x96!\n");
    EXPECT_TRUE(pending.empty());
}
