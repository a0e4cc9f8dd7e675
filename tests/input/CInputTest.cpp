#include "input/CInput.h"
#include "input/CScriptedInputSource.h"
#include "input/KeyCodes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr std::uint8_t kScanA = 30, kScanB = 48, kScanM = 50, kScanQ = 16, kScanShift = 42;
using Point = std::pair<int, int>;
using States = std::vector<int>;

class InputTest : public ::testing::Test {
protected:
    CScriptedInputSource source;
    CInput input;

    void SetUp() override
    {
        source.setInitialCursor(400, 300);
        ASSERT_EQ(input.Open(source), 0);
    }

    // The states of `code` over the next updates.
    States statesOver(int updates, std::uint16_t code)
    {
        States states;
        for (int i = 0; i < updates; ++i) {
            input.Update();
            states.push_back(input.GetKeyState(code));
        }
        return states;
    }

    States states(std::initializer_list<int> codes) const
    {
        States out;
        for (int code : codes) {
            out.push_back(input.GetKeyState(code));
        }
        return out;
    }

    Point cursor() const
    {
        std::int32_t x = 0, y = 0;
        input.GetMousePos(x, y);
        return {x, y};
    }
};

TEST_F(InputTest, KeyStatesStepThroughPressedHeldReleasedUp)
{
    source.pressKey(kScanA);
    EXPECT_EQ(statesOver(3, 'a'), (States{2, 3, 3}));
    source.releaseKey(kScanA);
    EXPECT_EQ(statesOver(2, 'a'), (States{1, 0}));
    // A press and release between two updates is still one press.
    source.pressKey(kScanA);
    source.releaseKey(kScanA);
    EXPECT_EQ(statesOver(3, 'a'), (States{2, 1, 0}));
}

TEST_F(InputTest, KeysAreReportedUnderTheirKeyCodesAndOtherCodesReadAsUp)
{
    for (std::uint8_t scan : {ScanCode::KeypadEnter, kScanShift, std::uint8_t(2), std::uint8_t(211), kScanA}) {
        source.pressKey(scan);
    }
    input.Update();
    // The code is taken as 16 bits.
    EXPECT_EQ(states({KeyCode::KeypadEnter, KeyCode::LeftShift, '1', KeyCode::Delete, 65536 + 'a'}), States(5, 2));
    EXPECT_EQ(states({KeyCode::Return, '!', 127, 270, -1}), States(5, 0));
}

// Functions the program itself does not call, as the interface defines them: the newest key
// down (the lowest of several, once, even without a key code), the first character a key's last
// press typed (dead keys and modifiers nothing), and taking the devices, which needs the focus.
TEST_F(InputTest, NewKeyLastCharacterAndTakingDevices)
{
    // clang-format off
    const struct {
        std::vector<std::uint8_t> down, up;
        bool reset;
        int found;
    } steps[] = {{{kScanB, kScanQ}, {}, true, kScanQ}, {{}, {}, true, 0}, {{}, {}, false, 0},
                 {{}, {kScanQ, kScanB}, true, 0},      {{219}, {}, false, 219}, {{}, {}, false, 219},
                 {{}, {}, true, 0}};
    // clang-format on
    for (const auto& s : steps) {
        for (const std::uint8_t scan : s.down) {
            source.pressKey(scan);
        }
        for (const std::uint8_t scan : s.up) {
            source.releaseKey(scan);
        }
        input.Update();
        EXPECT_EQ(input.FindNewKeyDown(s.reset), s.found) << &s - steps;
    }
    for (int code = 0; code < KeyCode::Count; ++code) {
        ASSERT_EQ(input.GetKeyState(code), 0) << "the left Windows key has no code: " << code;
    }

    // clang-format off
    const std::pair<std::uint8_t, std::string> presses[] = {
        {40, "\xE4"}, {39, "\xF6"}, {26, "\xFC"}, {12, "\xDF"}, {40, "\xC4"}, {39, "\xD6"}, {26, "\xDC"},
        {27, "\x80"}, {13, ""},     {18, "\xE9"}, {kScanShift, ""}}; // dead acute, then e types the e
    // clang-format on
    for (const auto& [scan, text] : presses) {
        source.typeKey(scan, text);
        source.releaseKey(scan);
    }
    source.pressKey(ScanCode::Return, 13);
    source.pressKey(ScanCode::KeypadEnter, 13);
    source.push({EInputEventType::Text, 0, 'x'}); // text without a key is ignored
    source.typeKey(kScanA, "ab");
    input.Update();
    // clang-format off
    const std::pair<std::uint8_t, int> typed[] = {{40, 0xC4}, {39, 0xD6}, {26, 0xDC}, {12, 0xDF}, {27, 0x80},
                                                  {13, 0}, {18, 0xE9}, {kScanShift, 0}, {ScanCode::Return, 13},
                                                  {ScanCode::KeypadEnter, 13}, {kScanA, 'a'}, {0, 0}};
    // clang-format on
    for (const auto& [scan, character] : typed) {
        EXPECT_EQ(input.ScanCodeToChar(scan), character) << int(scan);
    }

    source.loseFocus();
    input.Update();
    EXPECT_EQ(input.Acquire(EInputDevice::Keyboard), CInput::kOtherAppHasPriority);
    EXPECT_EQ(input.Acquire(EInputDevice::Mouse), CInput::kOtherAppHasPriority);
    source.gainFocus();
    input.Update();
    for (EInputDevice device : {EInputDevice::Keyboard, EInputDevice::Mouse, EInputDevice::Joystick}) {
        EXPECT_EQ(input.Acquire(device), 0);
    }
    source.pressKey(kScanA);
    input.Update();
    input.Unacquire(EInputDevice::Keyboard);
    EXPECT_EQ(input.GetKeyState('a'), 0) << "giving the keyboard up clears its keys";
    EXPECT_EQ(input.Update(), CInput::kNotAcquired);
    EXPECT_EQ(input.Update(), 0);

    CInput unopened;
    EXPECT_EQ(unopened.Update(), CInput::kNotInitialized);
    EXPECT_EQ(unopened.GetKeyState(KeyCode::Escape) + unopened.FindNewKeyDown(true) +
                  unopened.ScanCodeToChar(ScanCode::Return),
              0);
}

TEST_F(InputTest, TypedKeysKeepEveryPressAndRepeatInOrderButRepeatsAreNoNewPresses)
{
    source.typeKey(kScanA, "a");
    source.releaseKey(kScanA);
    source.pressKey(ScanCode::Backspace, 8);
    source.push({EInputEventType::KeyRepeat, ScanCode::Backspace, 8});
    source.push({EInputEventType::KeyRepeat, kScanA, 0}); // a held letter repeats as text
    source.push({EInputEventType::Text, 0, 'a'});
    source.pressKey(ScanCode::KeypadEnter, 13);
    input.Update();
    // clang-format off
    EXPECT_EQ(input.TypedKeys(), (std::vector<STypedKey>{{0, 'a', false}, {ScanCode::Backspace, 8, false},
              {ScanCode::Backspace, 8, true}, {0, 'a', false}, {ScanCode::KeypadEnter, 13, false}}));
    // clang-format on
    source.push({EInputEventType::KeyRepeat, ScanCode::Backspace, 8});
    input.Update();
    EXPECT_EQ(input.TypedKeys().size(), 1u) << "each update starts a new list";
    EXPECT_EQ(input.GetKeyState(KeyCode::Backspace), CInput::kHeld);

    // Losing the focus forgets what came before it, and nothing is typed without the keyboard.
    source.typeKey(kScanA, "a");
    source.loseFocus();
    source.typeKey(kScanB, "b");
    source.push({EInputEventType::KeyRepeat, ScanCode::Backspace, 8});
    input.Update();
    EXPECT_TRUE(input.TypedKeys().empty());
}

TEST_F(InputTest, RelativeMotionStartsAtThePointerAndIsAccelerated)
{
    EXPECT_EQ(cursor(), (Point{400, 300}));
    const std::pair<int, int> moves[] = {{2, 2}, {3, 4}, {6, 9}, {7, 14}, {-7, -14}, {-3, -4},
                                         {-2, -2}, {0, 0}, {1, 1}, {-1000, -2000}};
    for (const auto& [counts, expected] : moves) {
        const Point before = cursor();
        source.moveMouse(counts, -counts);
        input.Update();
        EXPECT_EQ(cursor(), (Point{before.first + expected, before.second - expected})) << "unbounded at first";
    }
    // Motion within one frame is summed before the acceleration.
    source.moveMouse(2, 0);
    source.moveMouse(2, 0);
    const Point before = cursor();
    input.Update();
    EXPECT_EQ(cursor().first - before.first, 6);
}

TEST_F(InputTest, TheCursorStaysWithinItsBoundsAndThePointerPlacesItWhileInTheWindow)
{
    input.SetMouseBounds(781, 579, -15, -12);
    const std::pair<Point, Point> moves[] = {{{100000, 100000}, {780, 578}},
                                             {{-100000, -100000}, {-15, -12}},
                                             {{2000000000, -2000000000}, {780, -12}}}; // no overflow
    for (const auto& [counts, expected] : moves) {
        source.moveMouse(counts.first, counts.second);
        input.Update();
        EXPECT_EQ(cursor(), expected);
    }
    input.SetPointerSpot(7, 2);
    source.moveMouse(50, 50);
    source.pointAt(100, 200);
    input.Update();
    EXPECT_EQ(cursor(), (Point{93, 198}));
    source.pointAt(799, 599);
    input.Update();
    EXPECT_EQ(cursor(), (Point{780, 578}));

    // The pointer leaving the window is known until it comes back, where it entered.
    EXPECT_TRUE(input.PointerInWindow());
    source.push({EInputEventType::PointerLeft});
    input.Update();
    input.Update();
    EXPECT_FALSE(input.PointerInWindow()) << "the pointer is still outside";
    source.push({EInputEventType::PointerEntered});
    source.pointAt(20, 100);
    input.Update();
    EXPECT_TRUE(input.PointerInWindow());
    EXPECT_EQ(cursor(), (Point{13, 98}));
}

// Mouse buttons are key codes 256 to 258, the joystick's first ten buttons 260 to 269.
TEST_F(InputTest, MouseAndJoystickButtonsAreKeyCodes)
{
    input.Update();
    EXPECT_EQ(states({260, 269}), States(2, 0)) << "no joystick, nothing reported";
    for (std::uint8_t button : {0, 1, 2, 3}) { // a fourth button has no key code
        source.pressMouseButton(button);
    }
    source.releaseMouseButton(2);
    for (std::uint8_t button : {0, 9, 10}) {
        source.pressJoystickButton(button);
    }
    input.Update();
    EXPECT_EQ(states({KeyCode::MouseLeft, KeyCode::MouseRight, KeyCode::MouseMiddle, 259, 260, 269, 270}),
              (States{2, 2, 2, 0, 2, 2, 0}));
    source.releaseMouseButton(0);
    source.releaseJoystickButton(9);
    input.Update();
    EXPECT_EQ(states({KeyCode::MouseLeft, KeyCode::MouseRight, KeyCode::MouseMiddle, 260, 269}),
              (States{1, 3, 1, 3, 1}));
}

TEST_F(InputTest, LosingAndRegainingFocusClearsEveryKey)
{
    source.pressKey(kScanA);
    source.pressMouseButton(0);
    input.Update();
    source.loseFocus();
    source.pressKey(kScanB); // pressed and let go while another program has the keyboard
    source.releaseKey(kScanB);
    EXPECT_EQ(input.Update(), CInput::kNotAcquired);
    EXPECT_EQ(states({'a', KeyCode::MouseLeft}), States(2, 0));
    EXPECT_EQ(input.Update(), CInput::kNotAcquired);

    source.gainFocus();
    source.pressKey(kScanM); // goes down in the frame that takes the keyboard back
    // One frame each to take back the keyboard, the mouse and the joystick.
    for (int frame = 0; frame < 3; ++frame) {
        EXPECT_EQ(input.Update(), CInput::kNotAcquired) << frame;
    }
    EXPECT_EQ(input.Update(), 0);
    EXPECT_EQ(states({'a', 'b', KeyCode::MouseLeft, 'm'}), (States{0, 0, 0, 3}));
    EXPECT_EQ(input.FindNewKeyDown(true), kScanM) << "held when the focus returned: new once";
    input.Update();
    EXPECT_EQ(input.FindNewKeyDown(true), 0);

    source.pressKey(kScanA);
    input.Update();
    EXPECT_EQ(input.GetKeyState('a'), CInput::kPressed);
}

} // namespace
