#include "platform/win32/Win32InputTranslation.h"
#include "platform/win32/Win32MessageQueue.h"
#include "platform/win32/Win32WindowMessages.h"

#define DIRECTINPUT_VERSION 0x0700
#include <dinput.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

// lParam of a key message: scan code, extended flag, Alt held, previous state down.
LPARAM keyParam(unsigned scanCode, bool extended = false, bool alt = false, bool repeat = false)
{
    LPARAM value = 1 | static_cast<LPARAM>((scanCode & 0xFF) << 16);
    value |= extended ? LPARAM{1} << 24 : 0;
    value |= alt ? LPARAM{1} << 29 : 0;
    value |= repeat ? LPARAM{1} << 30 : 0;
    return value;
}

std::vector<SMessage> drain(CWin32MessageQueue& queue)
{
    std::vector<SMessage> messages;
    while (std::optional<SMessage> message = queue.takeMessage()) {
        messages.push_back(*message);
    }
    return messages;
}

} // namespace

TEST(WindowInput, KeyMessagesGiveDirectInputScanCodesAndOnlyAFreshAltEnterCounts)
{
    EXPECT_EQ(scanCodeOfKeyMessage(keyParam(0x1C)), 0x1C);
    EXPECT_EQ(scanCodeOfKeyMessage(keyParam(0x1C, true)), 0x9C); // keypad Enter
    EXPECT_EQ(scanCodeOfKeyMessage(keyParam(0x48, true)), 0xC8); // arrow up
    EXPECT_TRUE(isAltEnter(WM_SYSKEYDOWN, VK_RETURN, keyParam(0x1C, false, true)));
    EXPECT_FALSE(isAltEnter(WM_SYSKEYDOWN, VK_RETURN, keyParam(0x1C, false, true, true)));
    EXPECT_FALSE(isAltEnter(WM_KEYDOWN, VK_RETURN, keyParam(0x1C)));
    EXPECT_FALSE(isAltEnter(WM_SYSKEYUP, VK_RETURN, keyParam(0x1C, false, true)));
    EXPECT_FALSE(isAltEnter(WM_SYSKEYDOWN, VK_F4, keyParam(0x3E, false, true)));
    EXPECT_TRUE(isRepeatedKeyDown(WM_KEYDOWN, keyParam(0x0E, false, false, true)));
    EXPECT_FALSE(isRepeatedKeyDown(WM_KEYDOWN, keyParam(0x0E)));
    EXPECT_FALSE(isRepeatedKeyDown(WM_KEYUP, keyParam(0x0E, false, false, true)));
}

TEST(WindowInput, CharactersArriveAsWindows1252BytesWhateverTheCodePage)
{
    for (const std::uint8_t code : {0xE4, 0xF6, 0xFC, 0xDF, 0xC4, 0x80, 0x41, 0x20}) {
        EXPECT_EQ(typedCharacter(code, 1252), std::optional<std::uint8_t>(code)) << int(code);
    }
    // Code page 850: 0x84 is a, 0x94 o and 0x81 u with diaeresis, 0xE1 sharp s.
    EXPECT_EQ(typedCharacter(0x84, 850), std::optional<std::uint8_t>(0xE4));
    EXPECT_EQ(typedCharacter(0x94, 850), std::optional<std::uint8_t>(0xF6));
    EXPECT_EQ(typedCharacter(0x81, 850), std::optional<std::uint8_t>(0xFC));
    EXPECT_EQ(typedCharacter(0xE1, 850), std::optional<std::uint8_t>(0xDF));
    // A box-drawing character has no place in code page 1252.
    EXPECT_EQ(typedCharacter(0xC9, 850), std::optional<std::uint8_t>(0));
    // The editing keys' own characters come with their key, not as text.
    for (const WPARAM control : {8u, 9u, 13u, 27u, 10u, 0x7Fu}) {
        EXPECT_EQ(typedCharacter(control, 1252), std::nullopt) << control;
    }
}

TEST(WindowInput, BufferedDeviceDataBecomesKeyButtonAndMotionEvents)
{
    const SInputEvent letter = keyboardDataEvent(DIK_A, 0x80);
    EXPECT_EQ(letter.type, EInputEventType::KeyDown);
    EXPECT_EQ(letter.code, DIK_A);
    EXPECT_EQ(letter.character, 0);
    EXPECT_EQ(keyboardDataEvent(DIK_RETURN, 0x80).character, 13);
    EXPECT_EQ(keyboardDataEvent(DIK_NUMPADENTER, 0x80).character, 13);
    EXPECT_EQ(keyboardDataEvent(DIK_BACK, 0x80).character, 8);
    EXPECT_EQ(keyboardDataEvent(DIK_ESCAPE, 0x80).character, 27);
    const SInputEvent release = keyboardDataEvent(DIK_BACK, 0x00);
    EXPECT_EQ(release.type, EInputEventType::KeyUp);
    EXPECT_EQ(release.character, 0);

    const std::optional<SInputEvent> left = mouseDataEvent(DIMOFS_X, static_cast<DWORD>(-7));
    ASSERT_TRUE(left);
    EXPECT_EQ(left->type, EInputEventType::MouseMotion);
    EXPECT_EQ(left->x, -7);
    EXPECT_EQ(left->y, 0);
    const std::optional<SInputEvent> down = mouseDataEvent(DIMOFS_Y, 3);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->y, 3);
    const std::optional<SInputEvent> right = mouseDataEvent(DIMOFS_BUTTON1, 0x80);
    ASSERT_TRUE(right);
    EXPECT_EQ(right->type, EInputEventType::MouseButtonDown);
    EXPECT_EQ(right->code, 1);
    EXPECT_EQ(mouseDataEvent(DIMOFS_BUTTON2, 0)->type, EInputEventType::MouseButtonUp);
    EXPECT_FALSE(mouseDataEvent(DIMOFS_Z, 120)); // the wheel means nothing here
    EXPECT_FALSE(mouseDataEvent(DIMOFS_BUTTON3, 0x80));
}

TEST(WindowInput, AltEnterKeepsItsReturnFromTheQuestion)
{
    auto key = [](std::uint8_t code, bool down) {
        return keyboardDataEvent(code, down ? 0x80 : 0x00);
    };
    CAltEnterFilter filter;
    EXPECT_TRUE(filter.pass(key(DIK_LMENU, true)));
    EXPECT_FALSE(filter.pass(key(DIK_RETURN, true)));
    EXPECT_TRUE(filter.swallowingReturn());
    EXPECT_TRUE(filter.pass(key(DIK_LMENU, false))); // Alt may come up first
    EXPECT_FALSE(filter.pass(key(DIK_RETURN, false)));
    EXPECT_FALSE(filter.swallowingReturn());
    EXPECT_TRUE(filter.pass(key(DIK_RETURN, true)));  // Return alone types again
    EXPECT_TRUE(filter.pass(key(DIK_RETURN, false)));

    // Keypad Enter with the right Alt; other keys under Alt pass.
    EXPECT_TRUE(filter.pass(key(DIK_RMENU, true)));
    EXPECT_TRUE(filter.pass(key(DIK_A, true)));
    EXPECT_FALSE(filter.pass(key(DIK_NUMPADENTER, true)));
    EXPECT_FALSE(filter.pass(key(DIK_NUMPADENTER, false)));
    EXPECT_TRUE(filter.pass(key(DIK_RMENU, false)));

    // A Return held since before Alt stays the input's, its release too.
    EXPECT_TRUE(filter.pass(key(DIK_RETURN, true)));
    EXPECT_TRUE(filter.pass(key(DIK_LMENU, true)));
    EXPECT_TRUE(filter.pass(key(DIK_RETURN, false)));

    // Alt held when the focus went is not held when it comes back.
    filter.reset();
    EXPECT_TRUE(filter.pass(key(DIK_RETURN, true)));
    EXPECT_TRUE(filter.pass({EInputEventType::Text, 0, 'a'}));
}

TEST(WindowInput, WindowMessagesBecomeTheShellsMessages)
{
    CWin32MessageQueue queue;
    const SWindowTargets targets{queue, nullptr};
    EXPECT_EQ(routeWindowMessage(targets, nullptr, WM_ACTIVATEAPP, FALSE, 0), std::optional<LRESULT>(0));
    EXPECT_EQ(routeWindowMessage(targets, nullptr, WM_ACTIVATEAPP, TRUE, 0), std::optional<LRESULT>(0));
    // The close is the shell's to carry out; the default handling would destroy the window.
    EXPECT_EQ(routeWindowMessage(targets, nullptr, WM_CLOSE, 0, 0), std::optional<LRESULT>(0));
    EXPECT_EQ(routeWindowMessage(targets, nullptr, WM_ENDSESSION, FALSE, 0), std::optional<LRESULT>(0));
    EXPECT_EQ(routeWindowMessage(targets, nullptr, WM_ENDSESSION, TRUE, 0), std::optional<LRESULT>(0));
    EXPECT_EQ(routeWindowMessage(targets, nullptr, WM_SYSKEYDOWN, VK_RETURN, keyParam(0x1C, false, true)),
              std::optional<LRESULT>(0));
    routeWindowMessage(targets, nullptr, WM_SYSKEYDOWN, VK_RETURN, keyParam(0x1C, false, true, true));
    // Alt+F4 is left to the system, which turns it into a close.
    EXPECT_EQ(routeWindowMessage(targets, nullptr, WM_SYSKEYDOWN, VK_F4, keyParam(0x3E, false, true)), std::nullopt);

    const std::vector<SMessage> messages = drain(queue);
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_EQ(messages[0].kind, EMessageKind::Activate);
    EXPECT_FALSE(messages[0].active);
    EXPECT_EQ(messages[1].kind, EMessageKind::Activate);
    EXPECT_TRUE(messages[1].active);
    EXPECT_EQ(messages[2].kind, EMessageKind::Close);
    EXPECT_EQ(messages[3].kind, EMessageKind::Close);
    EXPECT_EQ(messages[4].kind, EMessageKind::ToggleWindowMode);
}

TEST(WindowInput, TheSystemCursorIsHiddenOverThePictureOnly)
{
    CWin32MessageQueue queue;
    const SWindowTargets targets{queue, nullptr};
    EXPECT_EQ(routeWindowMessage(targets, nullptr, WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              std::optional<LRESULT>(TRUE));
    EXPECT_EQ(GetCursor(), nullptr);
    EXPECT_EQ(routeWindowMessage(targets, nullptr, WM_SETCURSOR, 0, MAKELPARAM(HTCAPTION, WM_MOUSEMOVE)), std::nullopt);
    EXPECT_TRUE(drain(queue).empty());
}

TEST(WindowInput, AQuitPostedToTheThreadIsAClose)
{
    CWin32MessageQueue queue;
    PostQuitMessage(3);
    const std::vector<SMessage> messages = drain(queue);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, EMessageKind::Close);
}

TEST(WindowInput, RepaintsAndAltAloneStayWithTheWindow)
{
    CWin32MessageQueue queue;
    const SWindowTargets targets{queue, nullptr};
    EXPECT_EQ(routeWindowMessage(targets, nullptr, WM_PAINT, 0, 0), std::optional<LRESULT>(0));
    // Alt alone would open the menu loop of a window without a menu; Alt+Enter's character
    // would beep.
    EXPECT_EQ(routeWindowMessage(targets, nullptr, WM_SYSKEYDOWN, VK_MENU, keyParam(0x38, false, true)),
              std::optional<LRESULT>(0));
    EXPECT_EQ(routeWindowMessage(targets, nullptr, WM_SYSKEYUP, VK_MENU, keyParam(0x38)), std::optional<LRESULT>(0));
    EXPECT_EQ(routeWindowMessage(targets, nullptr, WM_SYSCHAR, '\r', keyParam(0x1C, false, true)),
              std::optional<LRESULT>(0));
    // Messages of no concern keep the system's handling.
    EXPECT_EQ(routeWindowMessage(targets, nullptr, WM_MOVE, 0, 0), std::nullopt);
    EXPECT_EQ(routeWindowMessage(targets, nullptr, WM_KEYDOWN, 'A', keyParam(0x1E)), std::nullopt);

    const std::vector<SMessage> messages = drain(queue);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, EMessageKind::Repaint);
}

TEST(WindowInput, PostedMessagesComeOutInOrderBeforeTheSystemQueueIsLookedAt)
{
    CWin32MessageQueue queue;
    PostQuitMessage(0);
    queue.post(SMessage{EMessageKind::Activate, true});
    queue.post(SMessage{EMessageKind::ToggleWindowMode, false});
    const std::vector<SMessage> messages = drain(queue);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].kind, EMessageKind::Activate);
    EXPECT_EQ(messages[1].kind, EMessageKind::ToggleWindowMode);
    EXPECT_EQ(messages[2].kind, EMessageKind::Close);
}
