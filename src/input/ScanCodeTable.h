#pragma once
#include <array>
#include <cstdint>

// Scan code (DirectInput numbering) to key code; 0 where the scan code is not reported.
const std::array<std::uint16_t, 256>& scanCodeToKeyCodeTable();

// Turns a USB HID keyboard usage number (which is what an SDL scancode is) into the
// DirectInput scan code of the same key; 0 for keys that have none.
std::uint8_t hidUsageToScanCode(int usage);
