#pragma once
#include "platform/win32/Win32Api.h"

#include "input/InputEvent.h"

#include <cstdint>
#include <optional>

// What the window's key messages and DirectInput's buffered data mean for the input, apart from
// the devices, so it can be checked without them.

inline constexpr std::uint8_t kScanReturn = 0x1C;       // DIK_RETURN
inline constexpr std::uint8_t kScanKeypadEnter = 0x9C;  // DIK_NUMPADENTER

// The scan code of a WM_KEYDOWN/WM_KEYUP message: bits 16-23, with the extended-key flag as
// bit 7, which is how DirectInput numbers the keys.
std::uint8_t scanCodeOfKeyMessage(LPARAM lParam);
// Alt+Enter: the system key message of Return with Alt held, not a repeat of a held Return.
bool isAltEnter(UINT message, WPARAM wParam, LPARAM lParam);
bool isRepeatedKeyDown(UINT message, LPARAM lParam);
bool isReturnScanCode(std::uint8_t scanCode);

// Alt+Enter belongs to the window (it switches between window and full screen), so its Return
// must not type into the question. Judged on the keyboard's own data, whatever order it has
// with the window's messages: a Return pressed while Alt is down is dropped, with its release.
// A Return held since before Alt came stays the input's.
class CAltEnterFilter {
public:
    // False for the events to drop.
    bool pass(const SInputEvent& event);
    // A repeat of the Return whose press was dropped is dropped too.
    bool swallowingReturn() const { return swallowedReturn_; }
    // What was held is forgotten when the focus goes.
    void reset();

private:
    bool leftAlt_ = false;
    bool rightAlt_ = false;
    bool swallowedReturn_ = false;
};

// The character of the keys that edit the question rather than type into it (Return and keypad
// Enter 13, Backspace 8, Escape 27, Tab 9); 0 for every other key.
std::uint8_t editingCharacter(std::uint8_t scanCode);

// The Windows-1252 byte a WM_CHAR of an ANSI window carries, given the code page it came in.
// Nothing for the control characters the editing keys also send (they come with the key
// itself); 0 for a character outside code page 1252.
std::optional<std::uint8_t> typedCharacter(WPARAM wParam, UINT codePage);

// One record of DirectInput's buffered keyboard data (c_dfDIKeyboard: the offset is the scan code).
SInputEvent keyboardDataEvent(DWORD offset, DWORD data);
// One record of the buffered mouse data (c_dfDIMouse): motion on X or Y, or buttons 0-2.
std::optional<SInputEvent> mouseDataEvent(DWORD offset, DWORD data);
