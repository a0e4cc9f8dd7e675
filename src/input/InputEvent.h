#pragma once
#include <cstdint>

enum class EInputEventType : std::uint8_t {
    KeyDown,            // code: scan code; character: what the press typed (Windows-1252), or 0
    KeyUp,              // code: scan code
    KeyRepeat,          // code, character: as KeyDown, sent again while the key is held
    Text,               // character: one typed character (Windows-1252; 0 outside the code page)
    MouseMotion,        // x, y: relative motion in mouse counts
    MousePosition,      // x, y: the pointer in the 800 x 600 picture
    MouseButtonDown,    // code: 0 left, 1 right, 2 middle
    MouseButtonUp,
    JoystickButtonDown, // code: button 0 to 9
    JoystickButtonUp,
    FocusLost,
    FocusGained,
    PointerLeft,        // the system pointer left the window (a window, not full screen)
    PointerEntered,     // and came back; its position follows as a MousePosition
};

// One thing that happened at the keyboard, mouse, joystick or window, in the program's terms.
struct SInputEvent {
    EInputEventType type = EInputEventType::Text;
    std::uint8_t code = 0;
    std::uint8_t character = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
};

struct SCursorPosition {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Where input comes from: the platform's devices, or a script in tests.
class IInputSource {
public:
    virtual ~IInputSource() = default;
    // The next event since the last call, oldest first; false when none waits.
    virtual bool pollEvent(SInputEvent& event) = 0;
    // Where the pointer is when input starts, in the 800 x 600 picture.
    virtual SCursorPosition initialCursor() const = 0;
};
