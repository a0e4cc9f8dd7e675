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
};

bool isQuestionColour(const std::vector<std::uint8_t>& frame, int x, int y)
{
    const std::size_t at = (static_cast<std::size_t>(y) * 800 + static_cast<std::size_t>(x)) * 4;
    return frame[at] == 122 && frame[at + 1] == 72 && frame[at + 2] == 18;
}

// Pixels of the question's colour in the rectangle of the screen.
int questionPixels(const std::vector<std::uint8_t>& frame, int left, int top, int width, int height)
{
    int count = 0;
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) {
            count += isQuestionColour(frame, x, y);
        }
    }
    return count;
}

class CaretTest : public QuestionEntryTest {
protected:
    // The caret's pixels after the last laid-out line, from one pixel below its top; the place
    // in `place`.
    int caretPixels(std::pair<int, int>& place)
    {
        CSurface& box = *app->graphics().qbox;
        box.SetFont("Arial", 0, 20, 400);
        box.GetDC();
        box.SelectFont();
        const MeasureText measure = [&box](std::string_view text) { return box.GetTextExtent(text).width; };
        int split = state().questionSplit;
        const STextLine last = layoutQuestion(state().questionText, split, measure).lines.back();
        place = {141 + last.x + measure(last.text), 505 + last.y + 1};
        box.ReleaseDC();
        return questionPixels((*platform->display).lastFrame(), place.first, place.second, 2, 18);
    }
    int caretPixels()
    {
        std::pair<int, int> place;
        return caretPixels(place);
    }
};

} // namespace

TEST_F(CaretTest, BlinksTwiceASecondAfterTheLastLineAndStaysOutOfTheGate)
{
    frame();
    EXPECT_EQ(caretPixels(), 36) << "an empty box shows where to type";
    typeText("wer");
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
    EXPECT_EQ(caretPixels(place), 36);
    EXPECT_GT(place.second, 505 + 55 + 1) << "a third line or more";
    const auto& shown = (*platform->display).lastFrame();
    EXPECT_EQ(questionPixels(shown, place.first + 2, place.second, 1, 18), 0) << "two pixels wide";

    // Enter starts the flight in the same frame; the box flies off unscaled at first.
    platform->input.pressKey(ScanCode::Return, 13);
    frame();
    ASSERT_EQ(state().screenState, EScreen::Flight);
    const auto& flying = (*platform->display).lastFrame();
    EXPECT_GT(questionPixels(flying, 141, 505, 500, 95), 0);
    EXPECT_EQ(questionPixels(flying, place.first, place.second, 2, 18), 0);
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

TEST_F(QuestionEntryTest, TypedTextIsDrawnInTheBox)
{
    frame();
    EXPECT_EQ(questionPixels((*platform->display).lastFrame(), 141, 505, 500, 95), 36)
        << "the caret alone";
    typeText("wer");
    EXPECT_GT(questionPixels((*platform->display).lastFrame(), 141, 505, 500, 95), 36);
}

TEST_F(QuestionEntryTest, FullQuestionBeepsAndKeepsBackspaceAndEnter)
{
    state().questionText = std::string(199, 'a');
    typeText("b");
    EXPECT_EQ(state().questionText.size(), 200u);
    typeText("c");
    typeKey(40, "\xE4");
    EXPECT_EQ(platform->audioDevice.beeps(), 2);
    EXPECT_EQ(state().questionText, std::string(199, 'a') + "b");
    typeKey(ScanCode::Backspace, "\b");
    EXPECT_EQ(state().questionText, std::string(199, 'a'));
    EXPECT_EQ(platform->audioDevice.beeps(), 2);
    typeText("d");
    pressEnter();
    EXPECT_EQ(state().screenState, EScreen::Flight);
    EXPECT_EQ(state().questionText, std::string(199, 'a') + "d");
}

TEST_F(QuestionEntryTest, BackspaceOnAnEmptyQuestionAndEnterOnAnEmptyQuestionDoNothing)
{
    typeKey(ScanCode::Backspace, "\b");
    pressEnter();
    EXPECT_EQ(state().questionText, "");
    EXPECT_EQ(state().screenState, EScreen::Question);
    EXPECT_EQ(platform->audioDevice.beeps(), 0);
}

TEST_F(QuestionEntryTest, KeypadEnterSubmitsLikeEnter)
{
    typeText("wer");
    platform->input.pressKey(ScanCode::KeypadEnter, 13);
    frame();
    EXPECT_EQ(state().screenState, EScreen::Flight);
    EXPECT_EQ(state().animationState, "givingAnswer");
    EXPECT_EQ(state().questionText, "wer");
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

TEST_F(QuestionEntryTest, HeldBackspaceAndHeldLettersRepeatButHeldEnterSubmitsOnce)
{
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
    EXPECT_EQ(state().questionText, "Sollll");
    EXPECT_EQ(state().screenState, EScreen::Question);
}

TEST_F(QuestionEntryTest, AHeldKeyIsTypedOnce)
{
    platform->input.typeKey(30, "a");
    frames(5);
    platform->input.releaseKey(30);
    frame();
    EXPECT_EQ(state().questionText, "a");
}

TEST_F(QuestionEntryTest, OtherScreensAndAnInactiveProgramTakeNoKeys)
{
    clickBack();
    typeText("abc");
    EXPECT_EQ(state().questionText, "");
    clickStart();
    state().active = false;
    platform->input.typeKey(30, "a");
    app->renderFrame();
    EXPECT_EQ(state().questionText, "");
}

TEST_F(QuestionEntryTest, BackButtonEmptiesTheQuestion)
{
    typeText("abc");
    clickBack();
    EXPECT_EQ(state().questionText, "");
    EXPECT_EQ(state().questionSplit, 0);
}
