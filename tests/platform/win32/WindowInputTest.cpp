#include "platform/win32/Win32InputTranslation.h"
#include "platform/win32/Win32MessageQueue.h"
#include "platform/win32/Win32WindowMessages.h"

#include "InputEvents.h"

#define DIRECTINPUT_VERSION 0x0700
#include <dinput.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

using T = EInputEventType;
using Taken = std::vector<std::pair<EMessageKind, bool>>;

// lParam of a key message: scan code, extended flag, Alt held, previous state down.
LPARAM keyParam(unsigned scanCode, bool extended = false, bool alt = false, bool repeat = false)
{
    return 1 | static_cast<LPARAM>((scanCode & 0xFF) << 16) | (extended ? LPARAM{1} << 24 : 0) |
           (alt ? LPARAM{1} << 29 : 0) | (repeat ? LPARAM{1} << 30 : 0);
}

// The messages taken, each with its `active` flag.
Taken drain(CWin32MessageQueue& queue)
{
    Taken taken;
    while (std::optional<SMessage> message = queue.takeMessage()) {
        taken.emplace_back(message->kind, message->active);
    }
    return taken;
}

SInputEvent key(std::uint8_t code, bool down) { return keyboardDataEvent(code, down ? 0x80 : 0x00); }

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
    for (const auto& [utf8, cp1252] : kTypedText) {
        if (cp1252 != 0) {
            EXPECT_EQ(typedCharacter(cp1252, 1252), std::optional<std::uint8_t>(cp1252)) << utf8;
        }
    }
    // Code page 850: a, o and u with diaeresis, sharp s; a box-drawing character has no place in 1252.
    const std::pair<WPARAM, std::uint8_t> cp850[] = {{0x84, 0xE4}, {0x94, 0xF6}, {0x81, 0xFC}, {0xE1, 0xDF}, {0xC9, 0}};
    for (const auto& [code, cp1252] : cp850) {
        EXPECT_EQ(typedCharacter(code, 850), std::optional<std::uint8_t>(cp1252)) << code;
    }
    // The editing keys' own characters come with their key, not as text.
    for (const WPARAM control : {8u, 9u, 13u, 27u, 10u, 0x7Fu}) {
        EXPECT_EQ(typedCharacter(control, 1252), std::nullopt) << control;
    }
}

TEST(WindowInput, BufferedDeviceDataBecomesKeyButtonAndMotionEvents)
{
    EXPECT_EQ(key(DIK_A, true), (SInputEvent{T::KeyDown, DIK_A, 0}));
    for (const SControlKey control : {kReturnKey, kKeypadEnterKey, kBackspaceKey, kEscapeKey}) {
        EXPECT_EQ(key(control.scanCode, true), keyDown(control));
    }
    EXPECT_EQ(key(DIK_BACK, false), (SInputEvent{T::KeyUp, DIK_BACK, 0}));

    EXPECT_EQ(mouseDataEvent(DIMOFS_X, static_cast<DWORD>(-7)), (SInputEvent{T::MouseMotion, 0, 0, -7, 0}));
    EXPECT_EQ(mouseDataEvent(DIMOFS_Y, 3), (SInputEvent{T::MouseMotion, 0, 0, 0, 3}));
    EXPECT_EQ(mouseDataEvent(DIMOFS_BUTTON1, 0x80), (SInputEvent{T::MouseButtonDown, 1}));
    EXPECT_EQ(mouseDataEvent(DIMOFS_BUTTON2, 0), (SInputEvent{T::MouseButtonUp, 2}));
    EXPECT_FALSE(mouseDataEvent(DIMOFS_Z, 120)); // the wheel means nothing here
    EXPECT_FALSE(mouseDataEvent(DIMOFS_BUTTON3, 0x80));
}

TEST(WindowInput, AltEnterKeepsItsReturnFromTheQuestion)
{
    CAltEnterFilter filter;
    const auto passes = [&](std::initializer_list<std::pair<SInputEvent, bool>> steps) {
        for (const auto& [event, expected] : steps) {
            EXPECT_EQ(filter.pass(event), expected) << event;
        }
    };
    passes({{key(DIK_LMENU, true), true}, {key(DIK_RETURN, true), false}});
    EXPECT_TRUE(filter.swallowingReturn());
    // Alt may come up first; Return alone types again after.
    passes({{key(DIK_LMENU, false), true}, {key(DIK_RETURN, false), false}});
    EXPECT_FALSE(filter.swallowingReturn());
    passes({{key(DIK_RETURN, true), true}, {key(DIK_RETURN, false), true}});
    // Keypad Enter with the right Alt; other keys under Alt pass.
    passes({{key(DIK_RMENU, true), true}, {key(DIK_A, true), true}, {key(DIK_NUMPADENTER, true), false},
            {key(DIK_NUMPADENTER, false), false}, {key(DIK_RMENU, false), true}});
    // A Return held since before Alt stays the input's, its release too.
    passes({{key(DIK_RETURN, true), true}, {key(DIK_LMENU, true), true}, {key(DIK_RETURN, false), true}});
    // Alt held when the focus went is not held when it comes back.
    filter.reset();
    passes({{key(DIK_RETURN, true), true}, {SInputEvent{T::Text, 0, 'a'}, true}});
}

TEST(WindowInput, WindowMessagesBecomeTheShellsMessages)
{
    CWin32MessageQueue queue;
    const SWindowTargets targets{queue, nullptr};
    const auto route = [&](UINT message, WPARAM w, LPARAM l) {
        return routeWindowMessage(targets, nullptr, message, w, l);
    };
    const std::optional<LRESULT> handled(0);
    // The close is the shell's to carry out; the default handling would destroy the window.
    // Alt alone would open the menu loop of a window without a menu; Alt+Enter's character
    // would beep.
    const std::tuple<UINT, WPARAM, LPARAM> ours[] = {
        {WM_ACTIVATEAPP, FALSE, 0}, {WM_ACTIVATEAPP, TRUE, 0}, {WM_CLOSE, 0, 0}, {WM_ENDSESSION, FALSE, 0},
        {WM_ENDSESSION, TRUE, 0}, {WM_SYSKEYDOWN, VK_RETURN, keyParam(0x1C, false, true)},
        {WM_PAINT, 0, 0},
        {WM_SYSKEYDOWN, VK_MENU, keyParam(0x38, false, true)}, {WM_SYSKEYUP, VK_MENU, keyParam(0x38)},
        {WM_SYSCHAR, '\r', keyParam(0x1C, false, true)}};
    for (const auto& [message, w, l] : ours) {
        EXPECT_EQ(route(message, w, l), handled) << message;
    }
    route(WM_SYSKEYDOWN, VK_RETURN, keyParam(0x1C, false, true, true)); // a repeat toggles nothing
    // Alt+F4 is left to the system, which turns it into a close; messages of no concern too.
    EXPECT_EQ(route(WM_SYSKEYDOWN, VK_F4, keyParam(0x3E, false, true)), std::nullopt);
    EXPECT_EQ(route(WM_MOVE, 0, 0), std::nullopt);
    EXPECT_EQ(route(WM_KEYDOWN, 'A', keyParam(0x1E)), std::nullopt);

    using enum EMessageKind;
    EXPECT_EQ(drain(queue), (Taken{{Activate, false}, {Activate, true}, {Close, false}, {Close, false},
                                   {ToggleWindowMode, false}, {Repaint, false}}));

    // The system cursor is hidden over the picture only.
    EXPECT_EQ(route(WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), std::optional<LRESULT>(TRUE));
    EXPECT_EQ(GetCursor(), nullptr);
    EXPECT_EQ(route(WM_SETCURSOR, 0, MAKELPARAM(HTCAPTION, WM_MOUSEMOVE)), std::nullopt);
    EXPECT_TRUE(drain(queue).empty());
}

// A quit posted to the thread is a close, after the messages posted to the queue itself.
TEST(WindowInput, PostedMessagesComeOutInOrderBeforeTheSystemQueueIsLookedAt)
{
    CWin32MessageQueue queue;
    PostQuitMessage(0);
    queue.post(SMessage{EMessageKind::Activate, true});
    queue.post(SMessage{EMessageKind::ToggleWindowMode, false});
    using enum EMessageKind;
    EXPECT_EQ(drain(queue), (Taken{{Activate, true}, {ToggleWindowMode, false}, {Close, false}}));
}
