#include "input/CInput.h"
#include "input/CScriptedInputSource.h"
#include "input/KeyCodes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr std::uint8_t kScanA = 30;
constexpr std::uint8_t kScanB = 48;
constexpr std::uint8_t kScanQ = 16;
constexpr std::uint8_t kScanShift = 42;
constexpr std::uint8_t kScan1 = 2;

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
    std::vector<int> statesOver(int updates, std::uint16_t code)
    {
        std::vector<int> states;
        for (int i = 0; i < updates; ++i) {
            input.Update();
            states.push_back(input.GetKeyState(code));
        }
        return states;
    }

    std::pair<int, int> cursor() const
    {
        std::int32_t x = 0;
        std::int32_t y = 0;
        input.GetMousePos(x, y);
        return {x, y};
    }
};

TEST_F(InputTest, KeyStatesStepThroughPressedHeldReleasedUp)
{
    source.pressKey(kScanA);
    EXPECT_EQ(statesOver(3, 'a'), (std::vector<int>{2, 3, 3}));
    source.releaseKey(kScanA);
    EXPECT_EQ(statesOver(2, 'a'), (std::vector<int>{1, 0}));
    // A press and release between two updates is still one press.
    source.pressKey(kScanA);
    source.releaseKey(kScanA);
    EXPECT_EQ(statesOver(3, 'a'), (std::vector<int>{2, 1, 0}));
}

TEST_F(InputTest, KeysAreReportedUnderTheirKeyCodes)
{
    source.pressKey(ScanCode::KeypadEnter);
    source.pressKey(kScanShift);
    source.pressKey(kScan1);
    source.pressKey(211); // Delete
    input.Update();
    EXPECT_EQ(input.GetKeyState(KeyCode::KeypadEnter), CInput::kPressed);
    EXPECT_EQ(input.GetKeyState(KeyCode::Return), CInput::kUp);
    EXPECT_EQ(input.GetKeyState(KeyCode::LeftShift), CInput::kPressed);
    EXPECT_EQ(input.GetKeyState('1'), CInput::kPressed);
    EXPECT_EQ(input.GetKeyState('!'), CInput::kUp);
    EXPECT_EQ(input.GetKeyState(KeyCode::Delete), CInput::kPressed);
    EXPECT_EQ(input.GetKeyState(127), CInput::kUp);
}

TEST_F(InputTest, KeyCodesOutsideTheRangeReadAsUp)
{
    source.pressKey(kScanA);
    input.Update();
    EXPECT_EQ(input.GetKeyState(270), 0);
    EXPECT_EQ(input.GetKeyState(65536 + 'a'), CInput::kPressed) << "the code is taken as 16 bits";
    EXPECT_EQ(input.GetKeyState(-1), 0);
}

TEST_F(InputTest, UnreportedScanCodesStillCountAsNewKeys)
{
    source.pressKey(219); // left Windows key: no key code, but a key all the same
    input.Update();
    EXPECT_EQ(input.FindNewKeyDown(true), 219);
    for (int code = 0; code < KeyCode::Count; ++code) {
        ASSERT_EQ(input.GetKeyState(code), 0) << code;
    }
}

TEST_F(InputTest, FindNewKeyDownReportsAHeldKeyOnceAndTheLowerOfTwo)
{
    source.pressKey(kScanB);
    source.pressKey(kScanQ);
    input.Update();
    EXPECT_EQ(input.FindNewKeyDown(true), kScanQ);
    input.Update();
    EXPECT_EQ(input.FindNewKeyDown(true), 0) << "b went down in the same frame and is lost";
    EXPECT_EQ(input.FindNewKeyDown(false), 0);

    // Called every frame, as the question screen does: a second press is new again.
    source.releaseKey(kScanQ);
    source.releaseKey(kScanB);
    input.Update();
    EXPECT_EQ(input.FindNewKeyDown(true), 0);
    source.pressKey(kScanQ);
    input.Update();
    EXPECT_EQ(input.FindNewKeyDown(false), kScanQ);
    input.Update();
    EXPECT_EQ(input.FindNewKeyDown(false), kScanQ) << "without reset the last key stays";
    EXPECT_EQ(input.FindNewKeyDown(true), 0);
}

TEST_F(InputTest, ScanCodeToCharGivesWhatTheLastPressTyped)
{
    const std::string german = "\xE4\xF6\xFC\xDF\xC4\xD6\xDC\xE9\x80";
    const std::uint8_t scans[] = {40, 39, 26, 12, 40, 39, 26, 18, 18};
    for (std::size_t i = 0; i < german.size(); ++i) {
        source.typeKey(scans[i], german.substr(i, 1));
        input.Update();
        EXPECT_EQ(input.FindNewKeyDown(true), scans[i]);
        EXPECT_EQ(input.ScanCodeToChar(scans[i]), static_cast<std::uint8_t>(german[i])) << i;
        source.releaseKey(scans[i]);
        input.Update();
        input.FindNewKeyDown(true);
    }
}

TEST_F(InputTest, DeadKeysAndModifiersTypeNothingAndControlKeysTypeTheirCodes)
{
    source.typeKey(13, "");          // dead acute on a German layout
    source.typeKey(18, "\xE9");      // then e: the text arrives with the e
    source.typeKey(kScanShift, "");
    source.pressKey(ScanCode::Return, 13);
    source.pressKey(ScanCode::KeypadEnter, 13);
    input.Update();
    EXPECT_EQ(input.ScanCodeToChar(13), 0);
    EXPECT_EQ(input.ScanCodeToChar(18), 0xE9);
    EXPECT_EQ(input.ScanCodeToChar(kScanShift), 0);
    EXPECT_EQ(input.ScanCodeToChar(ScanCode::Return), 13);
    EXPECT_EQ(input.ScanCodeToChar(ScanCode::KeypadEnter), 13);
}

TEST_F(InputTest, OnlyTheFirstCharacterOfAPressCountsAndStrayTextIsIgnored)
{
    source.push({EInputEventType::Text, 0, 'x'});
    source.typeKey(kScanA, "ab");
    source.push({EInputEventType::Text, 0, 'z'});
    input.Update();
    EXPECT_EQ(input.ScanCodeToChar(kScanA), 'a');
    EXPECT_EQ(input.ScanCodeToChar(0), 0);
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
    EXPECT_EQ(input.TypedKeys(), (std::vector<STypedKey>{{0, 'a', false},
                                                         {ScanCode::Backspace, 8, false},
                                                         {ScanCode::Backspace, 8, true},
                                                         {0, 'a', false},
                                                         {ScanCode::KeypadEnter, 13, false}}));
    source.push({EInputEventType::KeyRepeat, ScanCode::Backspace, 8});
    input.Update();
    EXPECT_EQ(input.TypedKeys().size(), 1u) << "each update starts a new list";
    EXPECT_EQ(input.GetKeyState(KeyCode::Backspace), CInput::kHeld);
}

TEST_F(InputTest, NothingIsTypedWithoutTheKeyboard)
{
    source.typeKey(kScanA, "a");
    source.loseFocus();
    source.typeKey(kScanB, "b");
    source.push({EInputEventType::KeyRepeat, ScanCode::Backspace, 8});
    input.Update();
    EXPECT_TRUE(input.TypedKeys().empty()) << "losing the focus forgets what came before it";
}

TEST_F(InputTest, RelativeMotionIsAccelerated)
{
    const std::pair<int, int> moves[] = {{2, 2}, {3, 4}, {6, 9}, {7, 14}, {-7, -14}, {-3, -4},
                                         {-2, -2}, {0, 0}, {1, 1}};
    for (const auto& [counts, expected] : moves) {
        const auto before = cursor();
        source.moveMouse(counts, -counts);
        input.Update();
        EXPECT_EQ(cursor().first - before.first, expected) << counts;
        EXPECT_EQ(cursor().second - before.second, -expected) << counts;
    }
    // Motion within one frame is summed before the acceleration.
    source.moveMouse(2, 0);
    source.moveMouse(2, 0);
    const auto before = cursor();
    input.Update();
    EXPECT_EQ(cursor().first - before.first, 6);
}

TEST_F(InputTest, TheCursorStaysWithinItsBounds)
{
    input.SetMouseBounds(781, 579, -15, -12);
    source.moveMouse(100000, 100000);
    input.Update();
    EXPECT_EQ(cursor(), (std::pair<int, int>{780, 578}));
    source.moveMouse(-100000, -100000);
    input.Update();
    EXPECT_EQ(cursor(), (std::pair<int, int>{-15, -12}));
    source.moveMouse(2000000000, -2000000000); // far beyond any real mouse, still no overflow
    input.Update();
    EXPECT_EQ(cursor(), (std::pair<int, int>{780, -12}));
}

TEST_F(InputTest, TheCursorStartsWhereThePointerWasAndIsUnboundedAtFirst)
{
    EXPECT_EQ(cursor(), (std::pair<int, int>{400, 300}));
    source.moveMouse(-1000, 1000);
    input.Update();
    EXPECT_EQ(cursor(), (std::pair<int, int>{400 - 2000, 300 + 2000}));
}

TEST_F(InputTest, AnAbsolutePointerPlacesTheCursorWithoutAcceleration)
{
    input.SetMouseBounds(-15, -12, 781, 579);
    input.SetPointerSpot(7, 2);
    source.moveMouse(50, 50);
    source.pointAt(100, 200);
    input.Update();
    EXPECT_EQ(cursor(), (std::pair<int, int>{93, 198}));
    source.pointAt(799, 599);
    input.Update();
    EXPECT_EQ(cursor(), (std::pair<int, int>{780, 578}));
}

TEST_F(InputTest, ThePointerLeavingTheWindowIsKnownUntilItComesBackWhereItEntered)
{
    input.SetPointerSpot(7, 2);
    EXPECT_TRUE(input.PointerInWindow());
    source.pointAt(799, 300);
    source.push({EInputEventType::PointerLeft});
    input.Update();
    EXPECT_FALSE(input.PointerInWindow());
    input.Update();
    EXPECT_FALSE(input.PointerInWindow()) << "the pointer is still outside";
    source.push({EInputEventType::PointerEntered});
    source.pointAt(20, 100);
    input.Update();
    EXPECT_TRUE(input.PointerInWindow());
    EXPECT_EQ(cursor(), (std::pair<int, int>{13, 98}));
}

TEST_F(InputTest, MouseButtonsAreKeyCodes256To258)
{
    source.pressMouseButton(0);
    source.pressMouseButton(1);
    source.pressMouseButton(2);
    source.releaseMouseButton(2);
    source.pressMouseButton(3); // a fourth button has no key code
    input.Update();
    EXPECT_EQ(input.GetKeyState(KeyCode::MouseLeft), CInput::kPressed);
    EXPECT_EQ(input.GetKeyState(KeyCode::MouseRight), CInput::kPressed);
    EXPECT_EQ(input.GetKeyState(KeyCode::MouseMiddle), CInput::kPressed);
    EXPECT_EQ(input.GetKeyState(259), 0);
    source.releaseMouseButton(0);
    input.Update();
    EXPECT_EQ(input.GetKeyState(KeyCode::MouseLeft), CInput::kReleased);
    EXPECT_EQ(input.GetKeyState(KeyCode::MouseRight), CInput::kHeld);
    EXPECT_EQ(input.GetKeyState(KeyCode::MouseMiddle), CInput::kReleased);
}

TEST_F(InputTest, JoystickButtonsAreKeyCodes260To269)
{
    for (int code = 260; code < 270; ++code) {
        input.Update();
        ASSERT_EQ(input.GetKeyState(code), 0) << "no joystick, nothing reported";
    }
    source.pressJoystickButton(0);
    source.pressJoystickButton(9);
    source.pressJoystickButton(10);
    input.Update();
    EXPECT_EQ(input.GetKeyState(260), CInput::kPressed);
    EXPECT_EQ(input.GetKeyState(269), CInput::kPressed);
    EXPECT_EQ(input.GetKeyState(270), 0);
    source.releaseJoystickButton(9);
    input.Update();
    EXPECT_EQ(input.GetKeyState(269), CInput::kReleased);
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
    EXPECT_EQ(input.GetKeyState('a'), 0);
    EXPECT_EQ(input.GetKeyState(KeyCode::MouseLeft), 0);
    EXPECT_EQ(input.Update(), CInput::kNotAcquired);

    source.gainFocus();
    // One frame each to take back the keyboard, the mouse and the joystick.
    EXPECT_EQ(input.Update(), CInput::kNotAcquired);
    EXPECT_EQ(input.Update(), CInput::kNotAcquired);
    EXPECT_EQ(input.Update(), CInput::kNotAcquired);
    EXPECT_EQ(input.Update(), 0);
    EXPECT_EQ(input.GetKeyState('a'), 0);
    EXPECT_EQ(input.GetKeyState('b'), 0);
    EXPECT_EQ(input.GetKeyState(KeyCode::MouseLeft), 0);
    EXPECT_EQ(input.FindNewKeyDown(true), 0);

    source.pressKey(kScanA);
    input.Update();
    EXPECT_EQ(input.GetKeyState('a'), CInput::kPressed);
}

TEST_F(InputTest, AKeyStillHeldWhenTheFocusReturnsCountsAsNewOnce)
{
    source.loseFocus();
    input.Update();
    source.gainFocus();
    source.pressKey(kScanB); // goes down in the frame that takes the keyboard back
    for (int frame = 0; frame < 4; ++frame) {
        input.Update();
    }
    EXPECT_EQ(input.GetKeyState('b'), CInput::kHeld);
    EXPECT_EQ(input.FindNewKeyDown(true), kScanB);
    input.Update();
    EXPECT_EQ(input.FindNewKeyDown(true), 0);
}

TEST_F(InputTest, AcquireAndUnacquireFollowTheFocus)
{
    source.loseFocus();
    input.Update();
    EXPECT_EQ(input.Acquire(EInputDevice::Keyboard), CInput::kOtherAppHasPriority);
    EXPECT_EQ(input.Acquire(EInputDevice::Mouse), CInput::kOtherAppHasPriority);
    source.gainFocus();
    input.Update();
    EXPECT_EQ(input.Acquire(EInputDevice::Keyboard), 0);
    EXPECT_EQ(input.Acquire(EInputDevice::Mouse), 0);
    EXPECT_EQ(input.Acquire(EInputDevice::Joystick), 0);

    source.pressKey(kScanA);
    input.Update();
    input.Unacquire(EInputDevice::Keyboard);
    EXPECT_EQ(input.GetKeyState('a'), 0) << "giving the keyboard up clears its keys";
    EXPECT_EQ(input.Update(), CInput::kNotAcquired);
    EXPECT_EQ(input.Update(), 0);
}

TEST(InputBeforeOpen, UpdateFailsAndEverythingReadsZero)
{
    CInput input;
    EXPECT_EQ(input.Update(), CInput::kNotInitialized);
    EXPECT_EQ(input.GetKeyState(KeyCode::Escape), 0);
    EXPECT_EQ(input.FindNewKeyDown(true), 0);
    EXPECT_EQ(input.ScanCodeToChar(ScanCode::Return), 0);
}

} // namespace
