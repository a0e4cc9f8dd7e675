#include "ShellTestPlatform.h"

using namespace shelltest;

namespace {

class QuestionEntryTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(start());
        clickStart();
        ASSERT_EQ(state().screenState, EScreen::Question);
    }

    // Pixels of the question's colour in a rectangle of the screen.
    int questionPixels(int left, int top, int width, int height)
    {
        const std::vector<std::uint8_t>& shown = display().lastFrame();
        int count = 0;
        for (int y = top; y < top + height; ++y) {
            for (int x = left; x < left + width; ++x) {
                const std::size_t at = (static_cast<std::size_t>(y) * 800 + static_cast<std::size_t>(x)) * 4;
                count += shown[at] == 122 && shown[at + 1] == 72 && shown[at + 2] == 18;
            }
        }
        return count;
    }
    // The caret's pixels after the last laid-out line, from one pixel below its top; its place
    // in `place`.
    int caretPixels(std::pair<int, int>* place = nullptr)
    {
        CSurface& box = *app->graphics().qbox;
        box.SetFont("Arial", 0, 20, 400);
        box.GetDC();
        box.SelectFont();
        const MeasureText measure = [&box](std::string_view text) { return box.GetTextExtent(text).width; };
        int split = state().questionSplit;
        const STextLine last = layoutQuestion(state().questionText, split, measure).lines.back();
        const std::pair<int, int> at{141 + last.x + measure(last.text), 505 + last.y + 1};
        box.ReleaseDC();
        if (place != nullptr) {
            *place = at;
        }
        return questionPixels(at.first, at.second, 2, 18);
    }
};

} // namespace

TEST_F(QuestionEntryTest, TheCaretBlinksTwiceASecondAfterTheLastLineAndStaysOutOfTheGate)
{
    frame();
    EXPECT_EQ(caretPixels(), 36) << "an empty box shows where to type";
    EXPECT_EQ(questionPixels(141, 505, 500, 95), 36) << "the caret alone";
    typeText("wer");
    EXPECT_GT(questionPixels(141, 505, 500, 95), 36) << "the text is drawn";
    std::vector<int> blink;
    for (int i = 0; i < 9; ++i) {
        frame(65); // the last frame came 15 ms after the last key: 80, 145, ... 600 ms
        blink.push_back(caretPixels());
    }
    EXPECT_EQ(blink, (std::vector<int>{36, 36, 36, 0, 0, 0, 0, 36, 36}));
    frame(200);
    EXPECT_EQ(caretPixels(), 0);
    typeKey(ScanCode::Backspace, "\b");
    EXPECT_EQ(caretPixels(), 36) << "typing shows it at once";

    state().questionText = std::string(40, 'a') + " " + std::string(100, 'b');
    typeText(" c");
    std::pair<int, int> place;
    EXPECT_EQ(caretPixels(&place), 36);
    EXPECT_GT(place.second, 505 + 55 + 1) << "a third line or more";
    EXPECT_EQ(questionPixels(place.first + 2, place.second, 1, 18), 0) << "two pixels wide";

    // Enter starts the flight in the same frame; the box flies off unscaled at first.
    pressKey(ScanCode::Return, 13);
    ASSERT_EQ(state().screenState, EScreen::Flight);
    EXPECT_GT(questionPixels(141, 505, 500, 95), 0);
    EXPECT_EQ(questionPixels(place.first, place.second, 2, 18), 0);
}

TEST_F(QuestionEntryTest, AcceptsAsciiAndTheGermanLettersOnly)
{
    typeText("Liebt er mich?");
    for (const char* german : {"\xE4", "\xF6", "\xFC", "\xDF", "\xC4", "\xD6", "\xDC"}) {
        typeKey(40, german);
    }
    // e acute, the euro sign, a dead key and a control character: nothing, and no beep.
    for (const char* refused : {"\xE9", "\x80", "", "\x01"}) {
        typeKey(41, refused);
    }
    EXPECT_EQ(state().questionText, "Liebt er mich?\xE4\xF6\xFC\xDF\xC4\xD6\xDC");
    EXPECT_EQ(platform->audioDevice.beeps(), 0);
}

// A full question beeps at every further letter but keeps Backspace and Enter (keypad Enter
// too); Backspace and Enter on an empty question do nothing.
TEST_F(QuestionEntryTest, TheQuestionHoldsTwoHundredBytesAndEnterNeedsOne)
{
    typeKey(ScanCode::Backspace, "\b");
    pressEnter();
    EXPECT_EQ(state().screenState, EScreen::Question);
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

TEST_F(QuestionEntryTest, EveryKeyTypedWithinOneFrameArrivesInOrderUntilEnter)
{
    CScriptedInputSource& keys = platform->input;
    for (int i = 0; i < 10; ++i) { // ten presses of one key, each let go within the frame
        keys.typeKey(38, "l");
        keys.releaseKey(38);
    }
    keys.typeKey(30, "a"); // two keys down together, the higher scan code first
    keys.typeKey(16, "q");
    keys.pressKey(ScanCode::Backspace, 8);
    // Shift going down in the same instant as B, whose scan code lies above Shift's.
    keys.pressKey(42);
    keys.typeKey(48, "B");
    keys.typeKey(40, "\xC4");
    keys.pressKey(ScanCode::Return, 13);
    keys.typeKey(31, "s"); // after Enter: the question is gone, not typed into
    frame();
    EXPECT_EQ(state().questionText, "llllllllllaB\xC4");
    EXPECT_EQ(state().screenState, EScreen::Flight);
}

// A key held over several frames is typed once, unless the system repeats it.
TEST_F(QuestionEntryTest, HeldBackspaceAndHeldLettersRepeatButHeldEnterSubmitsOnce)
{
    platform->input.typeKey(30, "a");
    frames(5);
    platform->input.releaseKey(30);
    frame();
    EXPECT_EQ(state().questionText, "a");

    typeText("Soll ich");
    CScriptedInputSource& keys = platform->input;
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
}

// Other screens and an inactive program take no keys; the back button empties the question.
TEST_F(QuestionEntryTest, OnlyTheActiveQuestionScreenTakesKeys)
{
    typeText("abc");
    clickBack();
    EXPECT_EQ(state().questionSplit, 0);
    typeText("abc");
    EXPECT_EQ(state().questionText, "");
    clickStart();
    state().active = false;
    platform->input.typeKey(30, "a");
    app->renderFrame();
    EXPECT_EQ(state().questionText, "");
}
