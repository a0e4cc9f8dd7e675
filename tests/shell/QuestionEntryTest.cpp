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
        ASSERT_EQ(state().screenState, Screen::Question);
    }
};

// Pixels of the question's colour in the box, as the back buffer holds it (B, G, R, X).
int questionColourPixels(const std::vector<std::uint8_t>& frame)
{
    int count = 0;
    for (std::size_t y = 505; y < 600; ++y) {
        for (std::size_t x = 141; x < 641; ++x) {
            const std::size_t at = (y * 800 + x) * 4;
            count += frame[at] == 122 && frame[at + 1] == 72 && frame[at + 2] == 18;
        }
    }
    return count;
}

bool isQuestionColour(const std::vector<std::uint8_t>& frame, int x, int y)
{
    const std::size_t at = (static_cast<std::size_t>(y) * 800 + static_cast<std::size_t>(x)) * 4;
    return frame[at] == 122 && frame[at + 1] == 72 && frame[at + 2] == 18;
}

// How many of the caret's 2 x 18 pixels, starting at (x, y) of the screen, are drawn.
int caretPixelsAt(const std::vector<std::uint8_t>& frame, int x, int y)
{
    int drawn = 0;
    for (int row = y; row < y + 18; ++row) {
        drawn += isQuestionColour(frame, x, row) + isQuestionColour(frame, x + 1, row);
    }
    return drawn;
}

class CaretTest : public QuestionEntryTest {
protected:
    // Where the caret stands on the screen: after the last laid-out line, one pixel below its top.
    std::pair<int, int> caretPlace()
    {
        CSurface& box = *app->graphics().qbox;
        box.SetFont("Arial", 0, 20, 400);
        box.GetDC();
        box.SelectFont();
        const MeasureText measure = [&box](std::string_view text) {
            return static_cast<int>(box.GetTextExtent(text).width);
        };
        int split = state().questionSplit;
        const SBoxLayout layout = layoutQuestion(state().questionText, split, measure);
        const STextLine& last = layout.lines.back();
        const int x = 141 + last.x + measure(last.text);
        box.ReleaseDC();
        return {x, 505 + last.y + 1};
    }
    int caretPixels()
    {
        const auto [x, y] = caretPlace();
        return caretPixelsAt(platform->display->inner().lastFrame(), x, y);
    }
};

} // namespace

TEST_F(CaretTest, BlinksTwiceASecondAtTheEndOfTheTextAndStaysWhileTyping)
{
    frame();
    EXPECT_EQ(caretPixels(), 36) << "an empty box shows where to type";
    typeText("wer");
    EXPECT_EQ(caretPixels(), 36);
    const auto [x, y] = caretPlace();
    const auto& shown = platform->display->inner().lastFrame();
    EXPECT_FALSE(isQuestionColour(shown, x + 2, y + 5)) << "two pixels wide";
    EXPECT_FALSE(isQuestionColour(shown, x, y - 2));
    EXPECT_FALSE(isQuestionColour(shown, x, y + 18));

    std::vector<int> blink;
    for (int i = 0; i < 8; ++i) {
        frame(65); // the last frame came 15 ms after the last key: 80, 145, ... 470, 535 ms
        blink.push_back(caretPixels());
    }
    EXPECT_EQ(blink, (std::vector<int>{36, 36, 36, 0, 0, 0, 0, 36}));
    frame(265); // 800 ms: hidden until a key is typed
    EXPECT_EQ(caretPixels(), 0);
    typeKey(ScanCode::Backspace, "\b");
    EXPECT_EQ(caretPixels(), 36) << "typing shows it at once";
}

TEST_F(CaretTest, FollowsTheLastLineAndIsNotTakenIntoTheGate)
{
    state().questionText = std::string(40, 'a') + " " + std::string(10, 'b');
    typeText("c");
    ASSERT_NE(state().questionSplit, 0);
    EXPECT_EQ(caretPlace().second, 505 + 55 + 1);
    EXPECT_EQ(caretPixels(), 36);
    for (int word = 0; word < 12; ++word) {
        typeText(" bbbbbbbb");
    }
    EXPECT_GT(caretPlace().second, 505 + 55 + 1) << "a third line or more";
    EXPECT_EQ(caretPixels(), 36);
    const auto [x, y] = caretPlace();

    // Enter starts the flight in the same frame; the box flies off unscaled at first.
    platform->input.pressKey(ScanCode::Return, 13);
    frame();
    ASSERT_EQ(state().screenState, Screen::Flight);
    const auto& flying = platform->display->inner().lastFrame();
    EXPECT_GT(questionColourPixels(flying), 0);
    EXPECT_EQ(caretPixelsAt(flying, x, y), 0);
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
    EXPECT_EQ(questionColourPixels(platform->display->inner().lastFrame()), 36) << "the caret alone";
    typeText("wer");
    EXPECT_GT(questionColourPixels(platform->display->inner().lastFrame()), 36);
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
    EXPECT_EQ(state().screenState, Screen::Flight);
    EXPECT_EQ(state().questionText, std::string(199, 'a') + "d");
}

TEST_F(QuestionEntryTest, BackspaceOnAnEmptyQuestionAndEnterOnAnEmptyQuestionDoNothing)
{
    typeKey(ScanCode::Backspace, "\b");
    pressEnter();
    EXPECT_EQ(state().questionText, "");
    EXPECT_EQ(state().screenState, Screen::Question);
    EXPECT_EQ(platform->audioDevice.beeps(), 0);
}

TEST_F(QuestionEntryTest, KeypadEnterSubmitsLikeEnter)
{
    typeText("wer");
    platform->input.pressKey(ScanCode::KeypadEnter, 13);
    frame();
    EXPECT_EQ(state().screenState, Screen::Flight);
    EXPECT_EQ(state().animationState, "givingAnswer");
    EXPECT_EQ(state().questionText, "wer");
}

TEST_F(QuestionEntryTest, EveryKeyTypedWithinOneFrameArrivesInOrder)
{
    CScriptedInputSource& keys = platform->input;
    // Ten presses of one key, each pressed and let go within the frame.
    for (int i = 0; i < 10; ++i) {
        keys.typeKey(38, "l");
        keys.releaseKey(38);
    }
    // Two keys down together; the higher scan code's character comes first.
    keys.typeKey(30, "a");
    keys.typeKey(16, "q");
    keys.releaseKey(30);
    keys.releaseKey(16);
    keys.pressKey(ScanCode::Backspace, 8);
    keys.releaseKey(ScanCode::Backspace);
    // Shift going down in the same instant as B, whose scan code lies above Shift's.
    keys.pressKey(42);
    keys.typeKey(48, "B");
    keys.releaseKey(48);
    keys.releaseKey(42);
    keys.typeKey(40, "\xC4");
    frame();
    EXPECT_EQ(state().questionText, "llllllllllaB\xC4");
}

TEST_F(QuestionEntryTest, KeysAfterEnterInTheSameFrameAreNotTyped)
{
    typeText("wer");
    platform->input.pressKey(ScanCode::Return, 13);
    platform->input.typeKey(30, "a");
    frame();
    EXPECT_EQ(state().screenState, Screen::Flight);
    EXPECT_EQ(state().questionText, "wer");
}

TEST_F(QuestionEntryTest, HeldBackspaceAndHeldLettersRepeatButHeldEnterSubmitsOnce)
{
    typeText("Soll ich");
    CScriptedInputSource& keys = platform->input;
    keys.pressKey(ScanCode::Backspace, 8);
    frame();
    for (int i = 0; i < 3; ++i) {
        keys.push({InputEventType::KeyRepeat, ScanCode::Backspace, 8});
        frame();
    }
    keys.releaseKey(ScanCode::Backspace);
    keys.typeKey(38, "l");
    frame();
    for (int i = 0; i < 2; ++i) {
        keys.push({InputEventType::KeyRepeat, 38, 0});
        keys.push({InputEventType::Text, 0, 'l'});
        frame();
    }
    EXPECT_EQ(state().questionText, "Solllll");

    // Only a fresh Enter submits: its repeats on the way back from an answer are no new question.
    keys.push({InputEventType::KeyRepeat, ScanCode::Return, 13});
    keys.push({InputEventType::KeyRepeat, ScanCode::KeypadEnter, 13});
    frame();
    EXPECT_EQ(state().screenState, Screen::Question);
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
