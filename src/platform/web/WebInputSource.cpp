#include "platform/web/WebInputSource.h"

#include "common/Cp1252.h"
#include "input/ScanCodeTable.h"

#include <array>
#include <cmath>
#include <utility>

namespace {

constexpr double kPictureWidth = 800;
constexpr double kPictureHeight = 600;

// The page names keys as the USB keyboard usages do; their numbers lead to our scan codes.
constexpr std::array<std::pair<std::string_view, int>, 58> kNamedKeys{{
    {"Enter", 40},        {"Escape", 41},       {"Backspace", 42},     {"Tab", 43},
    {"Space", 44},        {"Minus", 45},        {"Equal", 46},         {"BracketLeft", 47},
    {"BracketRight", 48}, {"Backslash", 49},    {"IntlHash", 50},      {"Semicolon", 51},
    {"Quote", 52},        {"Backquote", 53},    {"Comma", 54},         {"Period", 55},
    {"Slash", 56},        {"CapsLock", 57},     {"PrintScreen", 70},   {"ScrollLock", 71},
    {"Pause", 72},        {"Insert", 73},       {"Home", 74},          {"PageUp", 75},
    {"Delete", 76},       {"End", 77},          {"PageDown", 78},      {"ArrowRight", 79},
    {"ArrowLeft", 80},    {"ArrowDown", 81},    {"ArrowUp", 82},       {"NumLock", 83},
    {"NumpadDivide", 84}, {"NumpadMultiply", 85}, {"NumpadSubtract", 86}, {"NumpadAdd", 87},
    {"NumpadEnter", 88},  {"Numpad1", 89},      {"Numpad2", 90},       {"Numpad3", 91},
    {"Numpad4", 92},      {"Numpad5", 93},      {"Numpad6", 94},       {"Numpad7", 95},
    {"Numpad8", 96},      {"Numpad9", 97},      {"Numpad0", 98},       {"NumpadDecimal", 99},
    {"IntlBackslash", 100}, {"ContextMenu", 101}, {"ControlLeft", 224}, {"ShiftLeft", 225},
    {"AltLeft", 226},     {"MetaLeft", 227},    {"ControlRight", 228}, {"ShiftRight", 229},
    {"AltRight", 230},    {"MetaRight", 231},
}};

int hidUsage(std::string_view code)
{
    if (code.size() == 4 && code.starts_with("Key") && code[3] >= 'A' && code[3] <= 'Z') {
        return 4 + (code[3] - 'A');
    }
    if (code.size() == 6 && code.starts_with("Digit") && code[5] >= '0' && code[5] <= '9') {
        return code[5] == '0' ? 39 : 30 + (code[5] - '1');
    }
    if ((code.size() == 2 || code.size() == 3) && code[0] == 'F') {
        int number = 0;
        for (const char digit : code.substr(1)) {
            if (digit < '0' || digit > '9') {
                return 0;
            }
            number = number * 10 + (digit - '0');
        }
        return number >= 1 && number <= 12 ? 57 + number : 0;
    }
    for (const auto& [name, usage] : kNamedKeys) {
        if (name == code) {
            return usage;
        }
    }
    return 0;
}

// The character the old keyboard translation gave for keys that type no text.
std::uint8_t controlCharacter(std::string_view code)
{
    if (code == "Enter" || code == "NumpadEnter") {
        return 13;
    }
    if (code == "Backspace") {
        return 8;
    }
    if (code == "Escape") {
        return 27;
    }
    return code == "Tab" ? 9 : 0;
}

// The Windows-1252 byte `key` types, when it is one character; nothing for named keys.
std::optional<std::uint8_t> typedCharacter(std::string_view key)
{
    std::string_view rest = key;
    const std::optional<char32_t> codePoint = takeUtf8CodePoint(rest);
    if (!codePoint || !rest.empty() || *codePoint < 0x20) {
        return std::nullopt;
    }
    return unicodeToCp1252(*codePoint).value_or(0);
}

} // namespace

std::uint8_t domCodeToScanCode(std::string_view code)
{
    const int usage = hidUsage(code);
    return usage == 0 ? 0 : hidUsageToScanCode(usage);
}

bool CWebInputSource::keyDown(const SKey& key)
{
    const std::uint8_t scanCode = domCodeToScanCode(key.code);
    const std::uint8_t control = controlCharacter(key.code);
    if (scanCode != 0) {
        push(key.repeat ? EInputEventType::KeyRepeat : EInputEventType::KeyDown, scanCode, control);
    }
    // Shortcuts of the browser (Ctrl+R, Cmd+Q) stay the browser's; AltGr comes as Ctrl+Alt
    // on some systems and types text.
    if (key.meta || (key.ctrl && !key.alt)) {
        return scanCode != 0 && control != 0;
    }
    if (control == 0) {
        if (const std::optional<std::uint8_t> character = typedCharacter(key.key)) {
            push(EInputEventType::Text, 0, *character);
            return true;
        }
    }
    return scanCode != 0;
}

void CWebInputSource::keyUp(std::string_view code)
{
    if (const std::uint8_t scanCode = domCodeToScanCode(code)) {
        push(EInputEventType::KeyUp, scanCode);
    }
}

void CWebInputSource::text(std::string_view utf8)
{
    while (!utf8.empty()) {
        const std::optional<char32_t> codePoint = takeUtf8CodePoint(utf8);
        const std::optional<unsigned char> byte = codePoint ? unicodeToCp1252(*codePoint) : std::nullopt;
        push(EInputEventType::Text, 0, byte.value_or(0));
    }
}

void CWebInputSource::pointerMoved(double x, double y, SShownSize shown)
{
    position(x, y, shown);
}

void CWebInputSource::pointerButton(bool down, int button, double x, double y, SShownSize shown)
{
    // A tap has no motion before it: the press happens where the finger is.
    if (shown.width > 0 && shown.height > 0 &&
        (std::floor(x * kPictureWidth / shown.width) != last_.x || std::floor(y * kPictureHeight / shown.height) != last_.y)) {
        position(x, y, shown);
    }
    static constexpr std::array<int, 3> kOurButton{0, 2, 1};
    if (button < 0 || button > 2) {
        return;
    }
    push(down ? EInputEventType::MouseButtonDown : EInputEventType::MouseButtonUp,
         static_cast<std::uint8_t>(kOurButton[static_cast<std::size_t>(button)]));
}

void CWebInputSource::pointerLeft()
{
    push(EInputEventType::PointerLeft);
}

void CWebInputSource::pointerEntered(double x, double y, SShownSize shown)
{
    push(EInputEventType::PointerEntered);
    position(x, y, shown);
}

void CWebInputSource::focusChanged(bool focused)
{
    push(focused ? EInputEventType::FocusGained : EInputEventType::FocusLost);
}

bool CWebInputSource::pollEvent(SInputEvent& event)
{
    if (events_.empty()) {
        return false;
    }
    event = events_.front();
    events_.pop_front();
    return true;
}

// The canvas is scaled as a whole with its aspect kept, so a position in it maps linearly.
void CWebInputSource::position(double x, double y, SShownSize shown)
{
    if (shown.width <= 0 || shown.height <= 0) {
        return;
    }
    last_ = {static_cast<std::int32_t>(std::floor(x * kPictureWidth / shown.width)),
             static_cast<std::int32_t>(std::floor(y * kPictureHeight / shown.height))};
    push(EInputEventType::MousePosition, 0, 0, last_.x, last_.y);
}

void CWebInputSource::push(EInputEventType type, std::uint8_t code, std::uint8_t character, std::int32_t x,
                           std::int32_t y)
{
    // Positions are merged into the one before, so a long frame keeps a short queue.
    if (type == EInputEventType::MousePosition && !events_.empty() && events_.back().type == type) {
        events_.back().x = x;
        events_.back().y = y;
        return;
    }
    events_.push_back({type, code, character, x, y});
}
