#pragma once
// Input events compared whole, and what every system's input source must make of the keys and
// the text the program cares about.
#include "input/InputEvent.h"

#include <ostream>
#include <utility>
#include <vector>

using Events = std::vector<SInputEvent>;

inline bool operator==(const SInputEvent& a, const SInputEvent& b)
{
    return a.type == b.type && a.code == b.code && a.character == b.character && a.x == b.x && a.y == b.y;
}

inline std::ostream& operator<<(std::ostream& out, const SInputEvent& e)
{
    return out << "{type " << int(e.type) << " code " << int(e.code) << " char " << int(e.character) << " at " << e.x
               << "," << e.y << "}";
}

// Every event a source (pollEvent) or queue (pop) holds, oldest first.
template <class Source>
Events drainEvents(Source& source)
{
    Events events;
    SInputEvent event;
    while ([&] {
        if constexpr (requires { source.pop(event); }) {
            return source.pop(event);
        } else {
            return source.pollEvent(event);
        }
    }()) {
        events.push_back(event);
    }
    return events;
}

// The editing keys' presses carry their control character (scan codes in DirectInput's numbering).
struct SControlKey {
    std::uint8_t scanCode;
    std::uint8_t character;
};
inline constexpr SControlKey kReturnKey{0x1C, 13}, kKeypadEnterKey{0x9C, 13}, kBackspaceKey{0x0E, 8},
    kEscapeKey{0x01, 27};

inline SInputEvent keyDown(SControlKey key) { return {EInputEventType::KeyDown, key.scanCode, key.character}; }
inline SInputEvent keyRepeat(SControlKey key) { return {EInputEventType::KeyRepeat, key.scanCode, key.character}; }

// Typed text in UTF-8 and the Windows-1252 byte it arrives as (0 outside the code page).
inline const std::pair<const char*, std::uint8_t> kTypedText[] = {
    {"\xC3\xA4", 0xE4}, {"\xC3\xB6", 0xF6}, {"\xC3\xBC", 0xFC}, {"\xC3\x9F", 0xDF}, {"\xC3\x84", 0xC4},
    {"\xC3\x96", 0xD6}, {"\xC3\x9C", 0xDC}, {"\xC3\xA9", 0xE9}, {"\xE2\x82\xAC", 0x80}, {"\xC5\x82", 0},
    {"\xF0\x9F\x98\x80", 0}};
