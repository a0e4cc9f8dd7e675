#include "input/CInputEventQueue.h"
#include "input/CJoystickButtons.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

std::vector<SInputEvent> drain(CInputEventQueue& queue)
{
    std::vector<SInputEvent> events;
    SInputEvent event;
    while (queue.pop(event)) {
        events.push_back(event);
    }
    return events;
}

SInputEvent motion(std::int32_t x, std::int32_t y) { return {EInputEventType::MouseMotion, 0, 0, x, y}; }
SInputEvent position(std::int32_t x, std::int32_t y) { return {EInputEventType::MousePosition, 0, 0, x, y}; }

TEST(InputEventQueue, MotionInARowAddsUpAndPositionsInARowKeepTheLast)
{
    CInputEventQueue queue;
    queue.push(motion(3, -2));
    queue.push(motion(4, 5));
    queue.push({EInputEventType::MouseButtonDown, 0});
    queue.push(motion(1, 1)); // after the press: its own, so the click lands where it was
    queue.push(position(10, 20));
    queue.push(position(30, 40));
    const std::vector<SInputEvent> events = drain(queue);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].type, EInputEventType::MouseMotion);
    EXPECT_EQ(events[0].x, 7);
    EXPECT_EQ(events[0].y, 3);
    EXPECT_EQ(events[1].type, EInputEventType::MouseButtonDown);
    EXPECT_EQ(events[2].x, 1);
    EXPECT_EQ(events[3].type, EInputEventType::MousePosition);
    EXPECT_EQ(events[3].x, 30);
    EXPECT_EQ(events[3].y, 40);
    EXPECT_TRUE(queue.empty());
}

TEST(InputEventQueue, KeysAndTextKeepEveryEventInOrder)
{
    CInputEventQueue queue;
    for (std::uint8_t character : {0xE4, 0xE4, 0xDF}) {
        queue.push({EInputEventType::KeyDown, 0x28, character});
        queue.push({EInputEventType::Text, 0, character});
        queue.push({EInputEventType::KeyUp, 0x28});
    }
    const std::vector<SInputEvent> events = drain(queue);
    ASSERT_EQ(events.size(), 9u);
    EXPECT_EQ(events[3].type, EInputEventType::KeyDown);
    EXPECT_EQ(events[4].character, 0xE4);
    EXPECT_EQ(events[7].character, 0xDF);
}

TEST(InputEventQueue, HugeMotionStopsAtTheLimitsInsteadOfWrapping)
{
    CInputEventQueue queue;
    queue.push(motion(INT32_MAX - 5, INT32_MIN + 5));
    queue.push(motion(100, -100));
    SInputEvent event;
    ASSERT_TRUE(queue.pop(event));
    EXPECT_EQ(event.x, INT32_MAX);
    EXPECT_EQ(event.y, INT32_MIN);
    EXPECT_FALSE(queue.pop(event));
}

TEST(JoystickButtons, OnlyChangedButtonsGiveEvents)
{
    CInputEventQueue queue;
    CJoystickButtons buttons;
    buttons.update(0b1000000101, queue); // 0, 2 and 9 go down
    buttons.update(0b1000000101, queue); // held: nothing new
    buttons.update(0b0000000110, queue); // 0 and 9 up, 1 down, 2 held
    const std::vector<SInputEvent> events = drain(queue);
    ASSERT_EQ(events.size(), 6u);
    const std::vector<std::pair<EInputEventType, int>> expected = {
        {EInputEventType::JoystickButtonDown, 0}, {EInputEventType::JoystickButtonDown, 2},
        {EInputEventType::JoystickButtonDown, 9}, {EInputEventType::JoystickButtonUp, 0},
        {EInputEventType::JoystickButtonDown, 1}, {EInputEventType::JoystickButtonUp, 9}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(events[i].type, expected[i].first) << i;
        EXPECT_EQ(events[i].code, expected[i].second) << i;
    }
    EXPECT_EQ(buttons.held(), 0b110);
}

TEST(JoystickButtons, ButtonsPastTheTenthAreIgnoredAndReleaseAllLetsGoOfTheHeld)
{
    CInputEventQueue queue;
    CJoystickButtons buttons;
    buttons.update(0xFFFFFC00u | 0b10, queue); // only button 1 of the first ten
    buttons.releaseAll(queue);
    buttons.releaseAll(queue); // nothing held any more
    const std::vector<SInputEvent> events = drain(queue);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].type, EInputEventType::JoystickButtonDown);
    EXPECT_EQ(events[0].code, 1);
    EXPECT_EQ(events[1].type, EInputEventType::JoystickButtonUp);
    EXPECT_EQ(events[1].code, 1);
    EXPECT_EQ(buttons.held(), 0);
}

} // namespace
