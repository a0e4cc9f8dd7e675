#pragma once
#include <deque>
#include <string_view>

#include "input/InputEvent.h"

// An input source that hands out exactly the events a test queued, in order.
class CScriptedInputSource final : public IInputSource {
public:
    bool pollEvent(SInputEvent& event) override;
    SCursorPosition initialCursor() const override { return initialCursor_; }

    void setInitialCursor(std::int32_t x, std::int32_t y) { initialCursor_ = {x, y}; }
    void push(const SInputEvent& event) { events_.push_back(event); }

    void pressKey(std::uint8_t scanCode, std::uint8_t character = 0);
    void releaseKey(std::uint8_t scanCode);
    // A press that types `cp1252` the way the platform reports it: key down, then its text.
    void typeKey(std::uint8_t scanCode, std::string_view cp1252);
    void moveMouse(std::int32_t dx, std::int32_t dy);
    void pointAt(std::int32_t x, std::int32_t y);
    void pressMouseButton(std::uint8_t button);
    void releaseMouseButton(std::uint8_t button);
    void pressJoystickButton(std::uint8_t button);
    void releaseJoystickButton(std::uint8_t button);
    void loseFocus();
    void gainFocus();

    std::size_t pending() const { return events_.size(); }

private:
    std::deque<SInputEvent> events_;
    SCursorPosition initialCursor_;
};
