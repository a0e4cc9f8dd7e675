#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "input/InputEvent.h"
#include "input/KeyCodes.h"

enum class EInputDevice : std::uint8_t { Keyboard, Mouse, Joystick };

// One thing typed: a character of the platform's text input (Windows-1252, 0 outside the code
// page; scanCode 0), or an editing key that types no text (Backspace 8, Enter and keypad Enter
// 13, Tab 9, Escape 27, with its scan code). `repeat` marks the keyboard's repeat of a held
// editing key; repeated characters arrive as text like any other.
struct STypedKey {
    std::uint8_t scanCode = 0;
    std::uint8_t character = 0;
    bool repeat = false;

    friend bool operator==(const STypedKey&, const STypedKey&) = default;
};

// Keyboard, mouse and joystick state for the frame: a four-state press state per key code,
// a bounded and accelerated cursor, the newest key that went down and what it typed, and
// everything typed since the previous update in order, so fast typing loses nothing.
// `Update` takes everything the source reported since the previous update, once per frame.
class CInput {
public:
    // Results in the manner of the old input interface: 0 success, negative failure.
    static constexpr std::int32_t kNotAcquired = static_cast<std::int32_t>(0x8007000C);
    static constexpr std::int32_t kOtherAppHasPriority = static_cast<std::int32_t>(0x80070005);
    static constexpr std::int32_t kNotInitialized = static_cast<std::int32_t>(0x80070015);

    // Key states.
    static constexpr std::uint8_t kUp = 0;
    static constexpr std::uint8_t kReleased = 1;
    static constexpr std::uint8_t kPressed = 2;
    static constexpr std::uint8_t kHeld = 3;

    CInput();
    ~CInput();
    CInput(const CInput&) = delete;
    CInput& operator=(const CInput&) = delete;

    // `source` must outlive this object (or the next Open).
    std::int32_t Open(IInputSource& source);
    std::int32_t Update();

    std::uint8_t GetKeyState(int code) const;
    void GetMousePos(std::int32_t& x, std::int32_t& y) const;
    void SetMouseBounds(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
    std::uint8_t FindNewKeyDown(bool reset);
    std::uint8_t ScanCodeToChar(std::uint8_t scanCode) const { return lastCharacter_[scanCode]; }
    // What was typed between the previous Update and the last one, oldest first.
    const std::vector<STypedKey>& TypedKeys() const { return typed_; }
    void ResetKeys();

    std::int32_t Acquire(EInputDevice device);
    void Unacquire(EInputDevice device);

    // Where in the drawn cursor the system pointer lies when the pointer's position is used
    // directly (in a window): the cursor is placed that far up and left of the pointer.
    void SetPointerSpot(std::int32_t dx, std::int32_t dy) { pointerSpot_ = {dx, dy}; }
    // False while the system pointer is outside a window: the cursor then stands nowhere.
    bool PointerInWindow() const { return pointerInWindow_; }

private:
    // What the events said about one key or button since the last read.
    struct SLatch {
        bool down = false;
        bool pressedSinceRead = false;
    };
    struct SBounds {
        std::int32_t minX, minY, maxX, maxY;
    };

    void applyEvent(const SInputEvent& event);
    void applyKey(std::uint8_t scanCode, bool down, std::uint8_t character);
    void applyText(std::uint8_t character);
    void applyRepeat(std::uint8_t scanCode, std::uint8_t character);
    void applyButton(SLatch& latch, bool down, EInputDevice device);
    void applyFocusLost();
    void clearPressLatches(EInputDevice device);
    std::int32_t readKeyboard();
    std::int32_t readMouse();
    std::int32_t readJoystick();
    void moveCursor();
    std::int64_t accelerate(std::int64_t delta) const;
    bool& acquiredFlag(EInputDevice device);
    static bool takeLatch(SLatch& latch);
    static void stepKey(std::uint8_t& state, bool down);

    IInputSource* source_ = nullptr;
    bool focused_ = true;
    std::array<bool, 3> taken_{};      // the device is really ours (the old interface's acquired)
    bool mouseAcquired_ = false;       // the flags `Acquire` and `Unacquire` keep
    bool keyboardAcquired_ = false;
    bool joystickAcquired_ = false;
    float mouseSensitivity_ = 1.0f;
    SBounds mouseBounds_;
    std::int32_t cursorX_ = 0;
    std::int32_t cursorY_ = 0;
    std::array<std::uint8_t, KeyCode::Count> keyState_{};
    std::array<std::uint8_t, 256> rawKeys_{};
    std::array<std::uint8_t, 256> previousRawKeys_{};
    std::uint8_t newKey_ = 0;
    std::array<std::uint32_t, 256> scanToCode_{};
    std::int32_t accelThreshold1_ = 2;
    std::int32_t accelThreshold2_ = 6;
    double accelFactor1_ = 1.5;
    double accelFactor2_ = 2.0;

    std::array<SLatch, 256> keyLatches_{};
    std::array<SLatch, 3> mouseLatches_{};
    std::array<SLatch, 10> joystickLatches_{};
    std::array<bool, 3> mouseButtons_{};
    std::array<std::uint8_t, 256> lastCharacter_{};
    std::optional<std::uint8_t> awaitingText_;
    std::vector<STypedKey> typed_;
    std::int64_t pendingDx_ = 0;
    std::int64_t pendingDy_ = 0;
    std::optional<SCursorPosition> pendingPosition_;
    SCursorPosition pointerSpot_;
    bool pointerInWindow_ = true;
};
