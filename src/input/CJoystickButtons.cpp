#include "input/CJoystickButtons.h"

void CJoystickButtons::update(std::uint32_t down, CInputEventQueue& events)
{
    for (int button = 0; button < kCount; ++button) {
        const auto bit = static_cast<std::uint16_t>(1u << button);
        const bool isDown = (down & bit) != 0;
        if (isDown == ((held_ & bit) != 0)) {
            continue;
        }
        held_ = static_cast<std::uint16_t>(isDown ? (held_ | bit) : (held_ & ~bit));
        events.push({isDown ? EInputEventType::JoystickButtonDown : EInputEventType::JoystickButtonUp,
                     static_cast<std::uint8_t>(button)});
    }
}

void CJoystickButtons::releaseAll(CInputEventQueue& events) { update(0, events); }
