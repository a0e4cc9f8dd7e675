#include "platform/web/WebInputSource.h"

#include "InputEvents.h"

#include <gtest/gtest.h>

namespace {

using T = EInputEventType;

TEST(WebInput, TypedCharactersArriveInWindows1252AfterTheirKey)
{
    CWebInputSource input;
    EXPECT_TRUE(input.keyDown({"KeyW", "W"}));
    EXPECT_TRUE(input.keyDown({"Quote", "\xC3\xA4"}));                      // ä on a German keyboard
    EXPECT_TRUE(input.keyDown({"KeyE", "\xE2\x82\xAC", false, true, true})); // AltGr+E: €
    EXPECT_TRUE(input.keyDown({"Space", " "}));
    EXPECT_EQ(drainEvents(input), (Events{{T::KeyDown, 0x11}, {T::Text, 0, 'W'}, {T::KeyDown, 0x28}, {T::Text, 0, 0xE4},
                                          {T::KeyDown, 0x12}, {T::Text, 0, 0x80}, {T::KeyDown, 0x39},
                                          {T::Text, 0, ' '}}));
    // Text of an on-screen keyboard.
    for (const auto& [utf8, cp1252] : kTypedText) {
        input.text(utf8);
        EXPECT_EQ(drainEvents(input), (Events{{T::Text, 0, cp1252}})) << utf8;
    }
}

// Enter, Backspace and Escape pressed once are the headless browser run's.
TEST(WebInput, EditingKeysRepeatAndTheKeypadsEnterIsItsOwn)
{
    CWebInputSource input;
    EXPECT_TRUE(input.keyDown({"Backspace", "Backspace", true}));
    input.keyUp("Backspace");
    EXPECT_TRUE(input.keyDown({"NumpadEnter", "Enter"}));
    EXPECT_EQ(drainEvents(input), (Events{keyRepeat(kBackspaceKey), {T::KeyUp, kBackspaceKey.scanCode},
                                          keyDown(kKeypadEnterKey)}));
}

TEST(WebInput, BrowserShortcutsAndUnknownKeysStayTheBrowsers)
{
    CWebInputSource input;
    EXPECT_FALSE(input.keyDown({"KeyR", "r", false, true})); // Ctrl+R reloads
    EXPECT_FALSE(input.keyDown({"KeyQ", "q", false, false, false, true}));
    EXPECT_FALSE(input.keyDown({"AudioVolumeUp", "AudioVolumeUp"}));
    EXPECT_FALSE(input.keyDown({"", "Unidentified"})); // an on-screen keyboard's key
    // The key presses are seen, nothing is typed.
    EXPECT_EQ(drainEvents(input), (Events{{T::KeyDown, 0x13}, {T::KeyDown, 0x10}}));
    const std::pair<const char*, int> codes[] = {{"F1", 0x3B}, {"F12", 0x58}, {"F13", 0}, {"Digit0", 0x0B},
                                                 {"ArrowLeft", 0xCB}};
    for (const auto& [code, scan] : codes) {
        EXPECT_EQ(domCodeToScanCode(code), scan) << code;
    }
}

TEST(WebInput, PointerPositionsAreMappedFromTheScaledCanvas)
{
    CWebInputSource input;
    EXPECT_EQ(input.initialCursor().x, 400);
    input.pointerMoved(800, 600, {1600, 1200});
    input.pointerMoved(1599.5, 0.4, {1600, 1200}); // merged with the one before
    EXPECT_EQ(drainEvents(input), (Events{{T::MousePosition, 0, 0, 799, 0}}));

    // A tap on a small phone screen: where the finger is, then the press and release.
    input.pointerButton(true, 0, 100, 75, {400, 300});
    input.pointerButton(false, 0, 100, 75, {400, 300});
    input.pointerButton(true, 2, 0, 0, {400, 300}); // the page's right is our 1
    EXPECT_EQ(drainEvents(input), (Events{{T::MousePosition, 0, 0, 200, 150}, {T::MouseButtonDown, 0},
                                          {T::MouseButtonUp, 0}, {T::MousePosition, 0, 0, 0, 0},
                                          {T::MouseButtonDown, 1}}));
    EXPECT_EQ(input.initialCursor().x, 0);

    input.pointerLeft();
    input.pointerEntered(-4, 10, {800, 600});
    input.pointerMoved(5, 5, {0, 0}); // a canvas not shown gives no position
    input.focusChanged(false);
    EXPECT_EQ(drainEvents(input), (Events{{T::PointerLeft}, {T::PointerEntered}, {T::MousePosition, 0, 0, -4, 10},
                                          {T::FocusLost}}));
}

} // namespace
