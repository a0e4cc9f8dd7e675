#include "platform/web/WebInputSource.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Key = CWebInputSource::SKey;

std::vector<SInputEvent> drain(CWebInputSource& input)
{
    std::vector<SInputEvent> events;
    SInputEvent event;
    while (input.pollEvent(event)) {
        events.push_back(event);
    }
    return events;
}

void expectEvent(const SInputEvent& event, EInputEventType type, int code, int character)
{
    EXPECT_EQ(event.type, type);
    EXPECT_EQ(event.code, code);
    EXPECT_EQ(event.character, character);
}

TEST(WebInput, TypedCharactersArriveInWindows1252AfterTheirKey)
{
    CWebInputSource input;
    EXPECT_TRUE(input.keyDown({"KeyW", "W"}));
    EXPECT_TRUE(input.keyDown({"Quote", "\xC3\xA4"}));          // ä on a German keyboard
    EXPECT_TRUE(input.keyDown({"Minus", "\xC3\x9F"}));          // ß
    EXPECT_TRUE(input.keyDown({"KeyE", "\xE2\x82\xAC", false, true, true})); // AltGr+E: €
    EXPECT_TRUE(input.keyDown({"Space", " "}));
    const std::vector<SInputEvent> events = drain(input);
    ASSERT_EQ(events.size(), 10u);
    expectEvent(events[0], EInputEventType::KeyDown, 0x11, 0);
    expectEvent(events[1], EInputEventType::Text, 0, 'W');
    expectEvent(events[2], EInputEventType::KeyDown, 0x28, 0);
    expectEvent(events[3], EInputEventType::Text, 0, 0xE4);
    expectEvent(events[5], EInputEventType::Text, 0, 0xDF);
    expectEvent(events[7], EInputEventType::Text, 0, 0x80);
    expectEvent(events[8], EInputEventType::KeyDown, 0x39, 0);
    expectEvent(events[9], EInputEventType::Text, 0, ' ');
}

TEST(WebInput, EditingKeysCarryTheirControlCharacterAndRepeat)
{
    CWebInputSource input;
    EXPECT_TRUE(input.keyDown({"Enter", "Enter"}));
    EXPECT_TRUE(input.keyDown({"Backspace", "Backspace"}));
    EXPECT_TRUE(input.keyDown({"Backspace", "Backspace", true}));
    input.keyUp("Backspace");
    EXPECT_TRUE(input.keyDown({"Escape", "Escape"}));
    EXPECT_TRUE(input.keyDown({"NumpadEnter", "Enter"}));
    const std::vector<SInputEvent> events = drain(input);
    ASSERT_EQ(events.size(), 6u);
    expectEvent(events[0], EInputEventType::KeyDown, 0x1C, 13);
    expectEvent(events[1], EInputEventType::KeyDown, 0x0E, 8);
    expectEvent(events[2], EInputEventType::KeyRepeat, 0x0E, 8);
    expectEvent(events[3], EInputEventType::KeyUp, 0x0E, 0);
    expectEvent(events[4], EInputEventType::KeyDown, 0x01, 27);
    expectEvent(events[5], EInputEventType::KeyDown, 0x9C, 13);
}

TEST(WebInput, BrowserShortcutsAndUnknownKeysStayTheBrowsers)
{
    CWebInputSource input;
    EXPECT_FALSE(input.keyDown({"KeyR", "r", false, true}));  // Ctrl+R reloads
    EXPECT_FALSE(input.keyDown({"KeyQ", "q", false, false, false, true}));
    EXPECT_FALSE(input.keyDown({"AudioVolumeUp", "AudioVolumeUp"}));
    EXPECT_FALSE(input.keyDown({"", "Unidentified"})); // an on-screen keyboard's key
    const std::vector<SInputEvent> events = drain(input);
    ASSERT_EQ(events.size(), 2u); // the key presses are seen, nothing is typed
    expectEvent(events[0], EInputEventType::KeyDown, 0x13, 0);
    expectEvent(events[1], EInputEventType::KeyDown, 0x10, 0);
    EXPECT_EQ(domCodeToScanCode("F1"), 0x3B);
    EXPECT_EQ(domCodeToScanCode("F12"), 0x58);
    EXPECT_EQ(domCodeToScanCode("F13"), 0);
    EXPECT_EQ(domCodeToScanCode("Digit0"), 0x0B);
    EXPECT_EQ(domCodeToScanCode("ArrowLeft"), 0xCB);
}

TEST(WebInput, OnScreenKeyboardTextOutsideTheCodePageIsZero)
{
    CWebInputSource input;
    input.text("\xC3\xBC\xF0\x9F\x98\x80"); // ü and an emoji
    const std::vector<SInputEvent> events = drain(input);
    ASSERT_EQ(events.size(), 2u);
    expectEvent(events[0], EInputEventType::Text, 0, 0xFC);
    expectEvent(events[1], EInputEventType::Text, 0, 0);
}

TEST(WebInput, PointerPositionsAreMappedFromTheScaledCanvas)
{
    CWebInputSource input;
    EXPECT_EQ(input.initialCursor().x, 400);
    input.pointerMoved(800, 600, {1600, 1200});
    input.pointerMoved(1599.5, 0.4, {1600, 1200}); // merged with the one before
    std::vector<SInputEvent> events = drain(input);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].type, EInputEventType::MousePosition);
    EXPECT_EQ(events[0].x, 799);
    EXPECT_EQ(events[0].y, 0);

    // A tap on a small phone screen: where the finger is, then the press and release.
    input.pointerButton(true, 0, 100, 75, {400, 300});
    input.pointerButton(false, 0, 100, 75, {400, 300});
    input.pointerButton(true, 2, 0, 0, {400, 300});
    events = drain(input);
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0].type, EInputEventType::MousePosition);
    EXPECT_EQ(events[0].x, 200);
    EXPECT_EQ(events[0].y, 150);
    expectEvent(events[1], EInputEventType::MouseButtonDown, 0, 0);
    expectEvent(events[2], EInputEventType::MouseButtonUp, 0, 0);
    expectEvent(events[4], EInputEventType::MouseButtonDown, 1, 0); // the page's right is our 1
    EXPECT_EQ(input.initialCursor().x, 0);

    input.pointerLeft();
    input.pointerEntered(-4, 10, {800, 600});
    input.pointerMoved(5, 5, {0, 0}); // a canvas not shown gives no position
    input.focusChanged(false);
    events = drain(input);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].type, EInputEventType::PointerLeft);
    EXPECT_EQ(events[1].type, EInputEventType::PointerEntered);
    EXPECT_EQ(events[2].x, -4);
    EXPECT_EQ(events[3].type, EInputEventType::FocusLost);
}

} // namespace
