#include "input/ScanCodeTable.h"

#include <utility>

namespace {

struct SScanCodeEntry {
    std::uint8_t scanCode;
    std::uint16_t keyCode;
};

// The 100 reported scan codes. The Windows keys and the application key are left out on purpose.
constexpr SScanCodeEntry kReported[] = {
    {1, 27}, {2, '1'}, {3, '2'}, {4, '3'}, {5, '4'}, {6, '5'}, {7, '6'}, {8, '7'}, {9, '8'},
    {10, '9'}, {11, '0'}, {12, '-'}, {13, '='}, {14, 8}, {15, 9},
    {16, 'q'}, {17, 'w'}, {18, 'e'}, {19, 'r'}, {20, 't'}, {21, 'y'}, {22, 'u'}, {23, 'i'},
    {24, 'o'}, {25, 'p'}, {26, '['}, {27, ']'}, {28, 13}, {29, 130},
    {30, 'a'}, {31, 's'}, {32, 'd'}, {33, 'f'}, {34, 'g'}, {35, 'h'}, {36, 'j'}, {37, 'k'},
    {38, 'l'}, {39, ';'}, {40, '\''}, {41, '`'}, {42, 128}, {43, '\\'},
    {44, 'z'}, {45, 'x'}, {46, 'c'}, {47, 'v'}, {48, 'b'}, {49, 'n'}, {50, 'm'},
    {51, ','}, {52, '.'}, {53, '/'}, {54, 129}, {55, 157}, {56, 132}, {57, ' '}, {58, 173},
    {59, 138}, {60, 139}, {61, 140}, {62, 141}, {63, 142}, {64, 143}, {65, 144}, {66, 145},
    {67, 146}, {68, 147}, {69, 172}, {70, 174}, {71, 169}, {72, 170}, {73, 171}, {74, 158},
    {75, 166}, {76, 167}, {77, 168}, {78, 159}, {79, 163}, {80, 164}, {81, 165}, {82, 162},
    {83, 161}, {87, 148}, {88, 149}, {156, 160}, {157, 131}, {181, 156}, {183, 175},
    {184, 133}, {199, 152}, {200, 136}, {201, 154}, {203, 134}, {205, 135}, {207, 153},
    {208, 137}, {209, 155}, {210, 150}, {211, 151},
};

constexpr std::array<std::uint16_t, 256> makeScanTable()
{
    std::array<std::uint16_t, 256> table{};
    for (const SScanCodeEntry& entry : kReported) {
        table[entry.scanCode] = entry.keyCode;
    }
    return table;
}

constexpr std::array<std::uint16_t, 256> kScanToKeyCode = makeScanTable();

// USB HID usage (keyboard page) to set-1 scan code. Keys the old keyboard interface did not
// know (F16 and up, most media keys) have no entry.
constexpr std::pair<std::uint8_t, std::uint8_t> kHidToScan[] = {
    // Letters a to z (usages 4 to 29).
    {4, 30}, {5, 48}, {6, 46}, {7, 32}, {8, 18}, {9, 33}, {10, 34}, {11, 35}, {12, 23},
    {13, 36}, {14, 37}, {15, 38}, {16, 50}, {17, 49}, {18, 24}, {19, 25}, {20, 16}, {21, 19},
    {22, 31}, {23, 20}, {24, 22}, {25, 47}, {26, 17}, {27, 45}, {28, 21}, {29, 44},
    // Digits 1 to 9 and 0.
    {30, 2}, {31, 3}, {32, 4}, {33, 5}, {34, 6}, {35, 7}, {36, 8}, {37, 9}, {38, 10}, {39, 11},
    // Return, Escape, Backspace, Tab, Space, - = [ ] backslash, the ISO # key, ; ' ` , . /
    {40, 28}, {41, 1}, {42, 14}, {43, 15}, {44, 57}, {45, 12}, {46, 13}, {47, 26}, {48, 27},
    {49, 43}, {50, 43}, {51, 39}, {52, 40}, {53, 41}, {54, 51}, {55, 52}, {56, 53},
    // Caps Lock, F1 to F12.
    {57, 58}, {58, 59}, {59, 60}, {60, 61}, {61, 62}, {62, 63}, {63, 64}, {64, 65}, {65, 66},
    {66, 67}, {67, 68}, {68, 87}, {69, 88},
    // Print Screen, Scroll Lock, Pause, Insert, Home, Page Up, Delete, End, Page Down.
    {70, 183}, {71, 70}, {72, 197}, {73, 210}, {74, 199}, {75, 201}, {76, 211}, {77, 207},
    {78, 209},
    // Right, Left, Down, Up.
    {79, 205}, {80, 203}, {81, 208}, {82, 200},
    // Num Lock, keypad / * - + Enter, keypad 1 to 9, 0, period.
    {83, 69}, {84, 181}, {85, 55}, {86, 74}, {87, 78}, {88, 156}, {89, 79}, {90, 80},
    {91, 81}, {92, 75}, {93, 76}, {94, 77}, {95, 71}, {96, 72}, {97, 73}, {98, 82}, {99, 83},
    // The ISO key between left Shift and Z (< > on German keyboards), application, power,
    // keypad equals, F13 to F15.
    {100, 86}, {101, 221}, {102, 222}, {103, 141}, {104, 100}, {105, 101}, {106, 102},
    // Mute, volume up and down, keypad comma, the Japanese keys.
    {127, 160}, {128, 176}, {129, 174}, {133, 179}, {135, 115}, {136, 112}, {137, 125},
    {138, 121}, {139, 123},
    // Left Ctrl, Shift, Alt, Windows; right Ctrl, Shift, Alt, Windows.
    {224, 29}, {225, 42}, {226, 56}, {227, 219}, {228, 157}, {229, 54}, {230, 184}, {231, 220},
};

constexpr std::array<std::uint8_t, 256> makeHidTable()
{
    std::array<std::uint8_t, 256> table{};
    for (const auto& [usage, scan] : kHidToScan) {
        table[usage] = scan;
    }
    return table;
}

constexpr std::array<std::uint8_t, 256> kHidToScanCode = makeHidTable();

} // namespace

const std::array<std::uint16_t, 256>& scanCodeToKeyCodeTable()
{
    return kScanToKeyCode;
}

std::uint8_t hidUsageToScanCode(int usage)
{
    if (usage < 0 || usage >= static_cast<int>(kHidToScanCode.size())) {
        return 0;
    }
    return kHidToScanCode[static_cast<std::size_t>(usage)];
}
