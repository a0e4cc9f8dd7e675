#include "ShellTestPlatform.h"

using namespace shelltest;

using QuestionEntryTest = ShellTest;

// ASCII and the German letters are typed; e acute, the euro sign, a dead key and a control
// character give nothing, and no beep. Backspace and Enter on an empty question do nothing; a
// full question beeps at every further letter but keeps Backspace and Enter (keypad Enter too).
TEST_F(QuestionEntryTest, TakesAsciiAndGermanLettersUpToTwoHundredBytesAndEnterNeedsOne)
{
    ASSERT_TRUE(start());
    clickStart();
    typeKey(ScanCode::Backspace, "\b");
    pressEnter();
    EXPECT_EQ(state().screenState, EScreen::Question);
    typeText("Liebt er mich?");
    for (const char* typed :
         {"\xE4", "\xF6", "\xFC", "\xDF", "\xC4", "\xD6", "\xDC", "\xE9", "\x80", "", "\x01"}) {
        typeKey(40, typed);
    }
    EXPECT_EQ(state().questionText, "Liebt er mich?\xE4\xF6\xFC\xDF\xC4\xD6\xDC");
    EXPECT_EQ(platform->audioDevice.beeps(), 0);

    state().questionText = std::string(199, 'a');
    typeText("bc");
    typeKey(40, "\xE4");
    EXPECT_EQ(platform->audioDevice.beeps(), 2);
    EXPECT_EQ(state().questionText, std::string(199, 'a') + "b");
    typeKey(ScanCode::Backspace, "\b");
    EXPECT_EQ(state().questionText, std::string(199, 'a'));
    typeText("d");
    pressKey(ScanCode::KeypadEnter, 13); // submits like Enter
    EXPECT_EQ(state().screenState, EScreen::Flight);
    EXPECT_EQ(state().animationState, "givingAnswer");
    EXPECT_EQ(state().questionText, std::string(199, 'a') + "d");
    EXPECT_EQ(platform->audioDevice.beeps(), 2);
}

// A key held over several frames is typed once, unless the system repeats it. Other screens and
// an inactive program take no keys; the back button empties the question.
TEST_F(QuestionEntryTest, HeldBackspaceAndHeldLettersRepeatButHeldEnterSubmitsOnce)
{
    ASSERT_TRUE(start());
    clickStart();
    CScriptedInputSource& keys = platform->input;
    keys.typeKey(30, "a");
    frames(5);
    keys.releaseKey(30);
    frame();
    EXPECT_EQ(state().questionText, "a");

    typeText("Soll ich");
    keys.pressKey(ScanCode::Backspace, 8);
    for (int i = 0; i < 3; ++i) {
        keys.push({EInputEventType::KeyRepeat, ScanCode::Backspace, 8});
    }
    keys.releaseKey(ScanCode::Backspace);
    keys.typeKey(38, "l");
    keys.push({EInputEventType::KeyRepeat, 38, 0});
    keys.push({EInputEventType::Text, 0, 'l'});
    // Only a fresh Enter submits: its repeats on the way back from an answer are no new question.
    keys.push({EInputEventType::KeyRepeat, ScanCode::Return, 13});
    keys.push({EInputEventType::KeyRepeat, ScanCode::KeypadEnter, 13});
    frame();
    EXPECT_EQ(state().questionText, "aSollll");
    EXPECT_EQ(state().screenState, EScreen::Question);

    clickBack();
    EXPECT_EQ(state().questionSplit, 0);
    typeText("abc");
    EXPECT_EQ(state().questionText, "");
    clickStart();
    state().active = false;
    keys.typeKey(30, "a");
    app->renderFrame();
    EXPECT_EQ(state().questionText, "");
}
