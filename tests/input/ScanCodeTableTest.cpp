#include "input/ScanCodeTable.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(ScanCodeTable, ReportsExactlyTheHundredKeysWithDistinctCodes)
{
    const auto& table = scanCodeToKeyCodeTable();
    std::set<std::uint16_t> codes;
    int reported = 0;
    for (std::size_t scan = 0; scan < table.size(); ++scan) {
        if (table[scan] != 0) {
            ++reported;
            EXPECT_TRUE(codes.insert(table[scan]).second) << "two scan codes share " << table[scan];
            EXPECT_LT(table[scan], 256) << scan;
        }
    }
    EXPECT_EQ(reported, 100);
    for (std::uint16_t never : {33, 65, 90, 127, 176}) {
        EXPECT_EQ(codes.count(never), 0u) << never;
    }
    for (std::size_t windowsKey : {219, 220, 221}) {
        EXPECT_EQ(table[windowsKey], 0) << windowsKey;
    }
}

// Every key of a German keyboard, and every key with a key code reachable from some usage.
TEST(HidUsageToScanCode, MapsEveryKeyOfAGermanKeyboard)
{
    // Usage numbers are SDL's scancodes (USB HID keyboard page).
    // clang-format off
    const std::pair<int, int> expected[] = {
        {4, 30}, {29, 44}, {28, 21}, {30, 2}, {39, 11}, {40, 28}, {41, 1}, {42, 14}, {43, 15}, {44, 57}, {45, 12},
        {46, 13}, {47, 26}, {48, 27}, {49, 43}, {50, 43}, {51, 39}, {52, 40}, {53, 41}, {56, 53}, {57, 58},
        {58, 59}, {69, 88}, {70, 183}, {73, 210}, {76, 211}, {79, 205}, {80, 203}, {81, 208}, {82, 200},
        {84, 181}, {85, 55}, {88, 156}, {89, 79}, {98, 82}, {100, 86}, {224, 29}, {225, 42}, {226, 56},
        {227, 219}, {228, 157}, {229, 54}, {230, 184}, {231, 220}, {-1, 0}, {0, 0}, {1, 0}, {3, 0}, {107, 0},
        {255, 0}, {256, 0}, {512, 0}};
    // clang-format on
    for (const auto& [usage, scan] : expected) {
        EXPECT_EQ(hidUsageToScanCode(usage), scan) << "usage " << usage;
    }
    const auto& table = scanCodeToKeyCodeTable();
    std::set<int> reachable;
    for (int usage = 0; usage < 256; ++usage) {
        reachable.insert(hidUsageToScanCode(usage));
    }
    for (std::size_t scan = 0; scan < table.size(); ++scan) {
        EXPECT_TRUE(table[scan] == 0 || reachable.count(static_cast<int>(scan))) << "scan code " << scan;
    }
}

} // namespace
