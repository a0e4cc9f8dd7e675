#include "platform/win32/Win32InputTranslation.h"

#include "common/Cp1252.h"

#include <cstddef>

#define DIRECTINPUT_VERSION 0x0700
#include <dinput.h>

namespace {

constexpr LPARAM kExtendedKey = LPARAM{1} << 24;
constexpr LPARAM kAltDown = LPARAM{1} << 29;
constexpr LPARAM kWasDown = LPARAM{1} << 30;

} // namespace

std::uint8_t scanCodeOfKeyMessage(LPARAM lParam)
{
    const auto code = static_cast<std::uint8_t>((lParam >> 16) & 0x7F);
    return (lParam & kExtendedKey) != 0 ? static_cast<std::uint8_t>(code | 0x80) : code;
}

bool isAltEnter(UINT message, WPARAM wParam, LPARAM lParam)
{
    return message == WM_SYSKEYDOWN && wParam == VK_RETURN && (lParam & kAltDown) != 0 && (lParam & kWasDown) == 0;
}

bool isRepeatedKeyDown(UINT message, LPARAM lParam)
{
    return (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && (lParam & kWasDown) != 0;
}

bool isReturnScanCode(std::uint8_t scanCode) { return scanCode == kScanReturn || scanCode == kScanKeypadEnter; }

bool CAltEnterFilter::pass(const SInputEvent& event)
{
    const bool down = event.type == EInputEventType::KeyDown;
    if (event.type != EInputEventType::KeyDown && event.type != EInputEventType::KeyUp) {
        return true;
    }
    if (event.code == DIK_LMENU) {
        leftAlt_ = down;
    } else if (event.code == DIK_RMENU) {
        rightAlt_ = down;
    } else if (isReturnScanCode(event.code)) {
        if (down && (leftAlt_ || rightAlt_)) {
            swallowedReturn_ = true;
            return false;
        }
        if (!down && swallowedReturn_) {
            swallowedReturn_ = false;
            return false;
        }
    }
    return true;
}

void CAltEnterFilter::reset()
{
    leftAlt_ = false;
    rightAlt_ = false;
    swallowedReturn_ = false;
}

std::uint8_t editingCharacter(std::uint8_t scanCode)
{
    switch (scanCode) {
    case DIK_RETURN:
    case DIK_NUMPADENTER: return 13;
    case DIK_BACK: return 8;
    case DIK_ESCAPE: return 27;
    case DIK_TAB: return 9;
    default: return 0;
    }
}

std::optional<std::uint8_t> typedCharacter(WPARAM wParam, UINT codePage)
{
    const auto code = static_cast<std::uint8_t>(wParam & 0xFF);
    if (code < 0x20 || code == 0x7F) {
        return std::nullopt;
    }
    if (codePage == 1252 || code < 0x80) {
        return code;
    }
    const char narrow = static_cast<char>(code);
    wchar_t wide = 0;
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, &narrow, 1, &wide, 1) != 1) {
        return std::uint8_t{0};
    }
    return unicodeToCp1252(static_cast<char32_t>(wide)).value_or(0);
}

SInputEvent keyboardDataEvent(DWORD offset, DWORD data)
{
    const auto scanCode = static_cast<std::uint8_t>(offset & 0xFF);
    const bool down = (data & 0x80) != 0;
    SInputEvent event;
    event.type = down ? EInputEventType::KeyDown : EInputEventType::KeyUp;
    event.code = scanCode;
    event.character = down ? editingCharacter(scanCode) : 0;
    return event;
}

std::optional<SInputEvent> mouseDataEvent(DWORD offset, DWORD data)
{
    SInputEvent event;
    const auto delta = static_cast<std::int32_t>(data);
    switch (offset) {
    case DIMOFS_X:
        event.type = EInputEventType::MouseMotion;
        event.x = delta;
        return event;
    case DIMOFS_Y:
        event.type = EInputEventType::MouseMotion;
        event.y = delta;
        return event;
    case DIMOFS_BUTTON0:
    case DIMOFS_BUTTON1:
    case DIMOFS_BUTTON2:
        event.type = (data & 0x80) != 0 ? EInputEventType::MouseButtonDown : EInputEventType::MouseButtonUp;
        event.code = static_cast<std::uint8_t>(offset - DIMOFS_BUTTON0);
        return event;
    default: return std::nullopt;
    }
}
