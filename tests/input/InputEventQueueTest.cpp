#include "input/CInputEventQueue.h"
#include "input/CJoystickButtons.h"

#include "InputEvents.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using T = EInputEventType;

SInputEvent motion(std::int32_t x, std::int32_t y) { return {T::MouseMotion, 0, 0, x, y}; }
SInputEvent position(std::int32_t x, std::int32_t y) { return {T::MousePosition, 0, 0, x, y}; }

TEST(InputEventQueue, MotionInARowAddsUpPositionsInARowKeepTheLastAndKeysAndTextStay)
{
    CInputEventQueue queue;
    for (const SInputEvent& event : {motion(3, -2), motion(4, 5), SInputEvent{T::MouseButtonDown},
                                     motion(1, 1), // after the press: its own, so the click lands where it was
                                     position(10, 20), position(30, 40), SInputEvent{T::KeyDown, 0x28, 0xE4},
                                     SInputEvent{T::Text, 0, 0xE4}, SInputEvent{T::Text, 0, 0xE4},
                                     SInputEvent{T::KeyUp, 0x28}, motion(INT32_MAX - 5, INT32_MIN + 5),
                                     motion(100, -100)}) { // stops at the limits instead of wrapping
        queue.push(event);
    }
    EXPECT_EQ(drainEvents(queue), (Events{motion(7, 3), {T::MouseButtonDown}, motion(1, 1), position(30, 40),
                                          {T::KeyDown, 0x28, 0xE4}, {T::Text, 0, 0xE4}, {T::Text, 0, 0xE4},
                                          {T::KeyUp, 0x28}, motion(INT32_MAX, INT32_MIN)}));
    EXPECT_TRUE(queue.empty());
}

TEST(JoystickButtons, OnlyChangedButtonsOfTheFirstTenGiveEvents)
{
    CInputEventQueue queue;
    CJoystickButtons buttons;
    buttons.update(0b1000000101, queue); // 0, 2 and 9 go down
    buttons.update(0b1000000101, queue); // held: nothing new
    buttons.update(0b0000000110, queue); // 0 and 9 up, 1 down, 2 held
    EXPECT_EQ(buttons.held(), 0b110);
    buttons.update(0xFFFFFC00u | 0b10, queue); // past the tenth ignored: 2 up
    buttons.releaseAll(queue);
    buttons.releaseAll(queue); // nothing held any more
    EXPECT_EQ(buttons.held(), 0);
    EXPECT_EQ(drainEvents(queue), (Events{{T::JoystickButtonDown, 0}, {T::JoystickButtonDown, 2},
                                          {T::JoystickButtonDown, 9}, {T::JoystickButtonUp, 0},
                                          {T::JoystickButtonDown, 1}, {T::JoystickButtonUp, 9},
                                          {T::JoystickButtonUp, 2}, {T::JoystickButtonUp, 1}}));
}

} // namespace
