#pragma once
#include "input/CInputEventQueue.h"

#include <cstdint>

// The first joystick's buttons 0-9 as the device reports their state each frame, turned into
// presses and releases: an event only where a button changed since the state before.
class CJoystickButtons {
public:
    static constexpr int kCount = 10;

    // `down`: bit n set while button n is held; bits past the tenth are ignored.
    void update(std::uint32_t down, CInputEventQueue& events);
    // Every held button is let go (the focus went, the device is gone).
    void releaseAll(CInputEventQueue& events);
    std::uint16_t held() const { return held_; }

private:
    std::uint16_t held_ = 0;
};
