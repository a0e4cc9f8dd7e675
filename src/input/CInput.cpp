#include "input/CInput.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "input/ScanCodeTable.h"

namespace {

constexpr std::int32_t kMinInt = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMaxInt = std::numeric_limits<std::int32_t>::max();
constexpr std::uint8_t kDown = 0x80;
constexpr std::uint16_t kMouseButtonCount = 3;
constexpr std::uint16_t kJoystickButtonCount = 10;
// Motion summed over one frame is kept far below the point where scaling could overflow.
constexpr std::int64_t kMaxFrameMotion = 1 << 24;
// Typing rarely brings more than a few keys per frame; the list grows beyond this if it must.
constexpr std::size_t kTypedKeysReserved = 64;

std::size_t deviceIndex(EInputDevice device)
{
    return static_cast<std::size_t>(device);
}

std::int64_t clampMotion(std::int64_t motion)
{
    return std::clamp(motion, -kMaxFrameMotion, kMaxFrameMotion);
}

// Clamped as the cursor always was: first against the upper limit, then the lower one.
std::int32_t clampAxis(std::int64_t value, std::int32_t low, std::int32_t high)
{
    if (value >= high) {
        value = static_cast<std::int64_t>(high) - 1;
    }
    if (value <= low) {
        value = low;
    }
    return static_cast<std::int32_t>(value);
}

} // namespace

CInput::CInput() : mouseBounds_{kMinInt, kMinInt, kMaxInt, kMaxInt}
{
    ResetKeys();
    typed_.reserve(kTypedKeysReserved);
}

CInput::~CInput()
{
    Unacquire(EInputDevice::Keyboard);
    Unacquire(EInputDevice::Mouse);
    Unacquire(EInputDevice::Joystick);
}

std::int32_t CInput::Open(IInputSource& source)
{
    source_ = &source;
    const std::int32_t mouseResult = Acquire(EInputDevice::Mouse);
    if (mouseResult < 0 && mouseResult != kOtherAppHasPriority) {
        return mouseResult;
    }
    const SCursorPosition start = source.initialCursor();
    cursorX_ = start.x;
    cursorY_ = start.y;

    const std::int32_t keyboardResult = Acquire(EInputDevice::Keyboard);
    if (keyboardResult < 0 && keyboardResult != kOtherAppHasPriority) {
        return keyboardResult;
    }
    const auto& table = scanCodeToKeyCodeTable();
    std::copy(table.begin(), table.end(), scanToCode_.begin());

    const std::int32_t joystickResult = Acquire(EInputDevice::Joystick);
    if (joystickResult < 0 && joystickResult != kOtherAppHasPriority) {
        return joystickResult;
    }
    return 0;
}

std::int32_t CInput::Update()
{
    typed_.clear();
    if (!source_) {
        return kNotInitialized;
    }
    SInputEvent event;
    while (source_->pollEvent(event)) {
        applyEvent(event);
    }
    if (const std::int32_t result = readKeyboard(); result < 0) {
        return result;
    }
    if (const std::int32_t result = readMouse(); result < 0) {
        return result;
    }
    return readJoystick();
}

std::uint8_t CInput::GetKeyState(int code) const
{
    const auto index = static_cast<std::uint16_t>(code);
    return index < KeyCode::Count ? keyState_[index] : 0;
}

void CInput::GetMousePos(std::int32_t& x, std::int32_t& y) const
{
    x = cursorX_;
    y = cursorY_;
}

void CInput::SetMouseBounds(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
{
    mouseBounds_ = {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

std::uint8_t CInput::FindNewKeyDown(bool reset)
{
    if (reset) {
        newKey_ = 0;
    }
    // The comparison is with the previous call, not the previous frame, so a held key is
    // found once; of several new keys only the lowest scan code is ever reported.
    for (std::size_t scan = 0; scan < 255; ++scan) {
        if (rawKeys_[scan] != 0 && previousRawKeys_[scan] == 0) {
            newKey_ = static_cast<std::uint8_t>(scan);
            break;
        }
    }
    std::copy(rawKeys_.begin(), rawKeys_.begin() + 255, previousRawKeys_.begin());
    return newKey_;
}

void CInput::ResetKeys()
{
    keyState_.fill(0);
    rawKeys_.fill(0);
    previousRawKeys_.fill(0);
}

std::int32_t CInput::Acquire(EInputDevice device)
{
    bool& flag = acquiredFlag(device);
    flag = true;
    // Devices are only ours while the window has the focus, as with a foreground device.
    const std::int32_t result = focused_ ? 0 : kOtherAppHasPriority;
    if (result == 0) {
        taken_[deviceIndex(device)] = true;
        clearPressLatches(device);
        if (device == EInputDevice::Keyboard) {
            ResetKeys();
        }
    } else if (device != EInputDevice::Mouse || result != kOtherAppHasPriority) {
        flag = false;
    }
    return result;
}

void CInput::Unacquire(EInputDevice device)
{
    acquiredFlag(device) = false;
    taken_[deviceIndex(device)] = false;
    if (device == EInputDevice::Keyboard) {
        ResetKeys();
        typed_.clear();
    }
}

void CInput::applyEvent(const SInputEvent& event)
{
    switch (event.type) {
    case EInputEventType::KeyDown:
    case EInputEventType::KeyUp:
        applyKey(event.code, event.type == EInputEventType::KeyDown, event.character);
        break;
    case EInputEventType::KeyRepeat:
        applyRepeat(event.code, event.character);
        break;
    case EInputEventType::Text:
        applyText(event.character);
        break;
    case EInputEventType::MouseMotion:
        if (taken_[deviceIndex(EInputDevice::Mouse)]) {
            pendingDx_ = clampMotion(pendingDx_ + event.x);
            pendingDy_ = clampMotion(pendingDy_ + event.y);
        }
        break;
    case EInputEventType::MousePosition:
        pendingPosition_ = SCursorPosition{event.x, event.y};
        pendingDx_ = 0;
        pendingDy_ = 0;
        break;
    case EInputEventType::MouseButtonDown:
    case EInputEventType::MouseButtonUp:
        if (event.code < kMouseButtonCount) {
            applyButton(mouseLatches_[event.code], event.type == EInputEventType::MouseButtonDown,
                        EInputDevice::Mouse);
        }
        break;
    case EInputEventType::JoystickButtonDown:
    case EInputEventType::JoystickButtonUp:
        if (event.code < kJoystickButtonCount) {
            applyButton(joystickLatches_[event.code],
                        event.type == EInputEventType::JoystickButtonDown, EInputDevice::Joystick);
        }
        break;
    case EInputEventType::FocusLost:
        applyFocusLost();
        break;
    case EInputEventType::FocusGained:
        focused_ = true;
        break;
    case EInputEventType::PointerLeft:
    case EInputEventType::PointerEntered:
        pointerInWindow_ = event.type == EInputEventType::PointerEntered;
        break;
    }
}

void CInput::applyKey(std::uint8_t scanCode, bool down, std::uint8_t character)
{
    if (scanCode == 0) {
        return;
    }
    SLatch& latch = keyLatches_[scanCode];
    latch.down = down;
    if (!down || !taken_[deviceIndex(EInputDevice::Keyboard)]) {
        return;
    }
    latch.pressedSinceRead = true;
    lastCharacter_[scanCode] = character;
    awaitingText_.reset();
    if (character == 0) {
        awaitingText_ = scanCode;
    } else {
        typed_.push_back({scanCode, character, false});
    }
}

void CInput::applyText(std::uint8_t character)
{
    // Text follows the key press that typed it; only its first character counts there.
    if (awaitingText_) {
        lastCharacter_[*awaitingText_] = character;
        awaitingText_.reset();
    }
    // Every character counts as typed, also repeats and text that came without a key.
    if (taken_[deviceIndex(EInputDevice::Keyboard)]) {
        typed_.push_back({0, character, false});
    }
}

// A repeat is no new press: the key states do not see it, only the typed keys.
void CInput::applyRepeat(std::uint8_t scanCode, std::uint8_t character)
{
    if (scanCode != 0 && character != 0 && taken_[deviceIndex(EInputDevice::Keyboard)]) {
        typed_.push_back({scanCode, character, true});
    }
}

void CInput::applyButton(SLatch& latch, bool down, EInputDevice device)
{
    latch.down = down;
    if (down && taken_[deviceIndex(device)]) {
        latch.pressedSinceRead = true;
    }
}

void CInput::applyFocusLost()
{
    // Nothing stays held across a loss of focus: the devices are given up, and what they
    // knew is forgotten; they are taken again (with cleared keys) once the focus is back.
    focused_ = false;
    taken_.fill(false);
    keyLatches_.fill({});
    mouseLatches_.fill({});
    joystickLatches_.fill({});
    mouseButtons_.fill(false);
    awaitingText_.reset();
    typed_.clear();
    pendingDx_ = 0;
    pendingDy_ = 0;
    ResetKeys();
}

void CInput::clearPressLatches(EInputDevice device)
{
    auto clear = [](auto& latches) {
        for (SLatch& latch : latches) {
            latch.pressedSinceRead = false;
        }
    };
    switch (device) {
    case EInputDevice::Keyboard: clear(keyLatches_); break;
    case EInputDevice::Mouse: clear(mouseLatches_); break;
    case EInputDevice::Joystick: clear(joystickLatches_); break;
    }
}

std::int32_t CInput::readKeyboard()
{
    if (!taken_[deviceIndex(EInputDevice::Keyboard)]) {
        Acquire(EInputDevice::Keyboard);
        return kNotAcquired;
    }
    // A key pressed and released between two reads still reads as down once.
    for (std::size_t scan = 0; scan < rawKeys_.size(); ++scan) {
        rawKeys_[scan] = takeLatch(keyLatches_[scan]) ? kDown : 0;
    }
    for (std::size_t scan = 0; scan < scanToCode_.size(); ++scan) {
        if (scanToCode_[scan] != 0) {
            stepKey(keyState_[scanToCode_[scan]], rawKeys_[scan] & kDown);
        }
    }
    return 0;
}

std::int32_t CInput::readMouse()
{
    if (mouseAcquired_) {
        if (!taken_[deviceIndex(EInputDevice::Mouse)]) {
            Acquire(EInputDevice::Mouse);
            return kNotAcquired;
        }
        moveCursor();
        for (std::size_t button = 0; button < kMouseButtonCount; ++button) {
            mouseButtons_[button] = takeLatch(mouseLatches_[button]);
        }
    }
    for (std::size_t button = 0; button < kMouseButtonCount; ++button) {
        stepKey(keyState_[KeyCode::MouseLeft + button], mouseButtons_[button]);
    }
    return 0;
}

std::int32_t CInput::readJoystick()
{
    if (!joystickAcquired_) {
        return 0;
    }
    if (!taken_[deviceIndex(EInputDevice::Joystick)]) {
        Acquire(EInputDevice::Joystick);
        return kNotAcquired;
    }
    for (std::size_t button = 0; button < kJoystickButtonCount; ++button) {
        stepKey(keyState_[KeyCode::JoystickButton0 + button], takeLatch(joystickLatches_[button]));
    }
    return 0;
}

void CInput::moveCursor()
{
    std::int64_t x = cursorX_;
    std::int64_t y = cursorY_;
    if (pendingPosition_) {
        x = static_cast<std::int64_t>(pendingPosition_->x) - pointerSpot_.x;
        y = static_cast<std::int64_t>(pendingPosition_->y) - pointerSpot_.y;
        pendingPosition_.reset();
    }
    x += accelerate(pendingDx_);
    y += accelerate(pendingDy_);
    pendingDx_ = 0;
    pendingDy_ = 0;
    cursorX_ = clampAxis(x, mouseBounds_.minX, mouseBounds_.maxX);
    cursorY_ = clampAxis(y, mouseBounds_.minY, mouseBounds_.maxY);
}

std::int64_t CInput::accelerate(std::int64_t delta) const
{
    const std::int64_t magnitude = delta < 0 ? -delta : delta;
    double scaled = static_cast<double>(delta);
    if (magnitude > accelThreshold2_) {
        scaled = std::trunc(scaled * accelFactor2_);
    } else if (magnitude > accelThreshold1_) {
        scaled = std::trunc(scaled * accelFactor1_);
    }
    return static_cast<std::int64_t>(std::trunc(scaled * mouseSensitivity_));
}

bool& CInput::acquiredFlag(EInputDevice device)
{
    switch (device) {
    case EInputDevice::Keyboard: return keyboardAcquired_;
    case EInputDevice::Mouse: return mouseAcquired_;
    case EInputDevice::Joystick: break;
    }
    return joystickAcquired_;
}

bool CInput::takeLatch(SLatch& latch)
{
    const bool down = latch.down || latch.pressedSinceRead;
    latch.pressedSinceRead = false;
    return down;
}

void CInput::stepKey(std::uint8_t& state, bool down)
{
    if (down) {
        state = (state == kPressed || state == kHeld) ? kHeld : kPressed;
    } else {
        state = (state == kPressed || state == kHeld) ? kReleased : kUp;
    }
}
