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

// The question's colour as the back buffer holds it (B, G, R, X).
bool frameShowsQuestionColour(const std::vector<std::uint8_t>& frame)
{
    for (std::size_t y = 505; y < 600; ++y) {
        for (std::size_t x = 141; x < 641; ++x) {
            const std::size_t at = (y * 800 + x) * 4;
            if (frame[at] == 122 && frame[at + 1] == 72 && frame[at + 2] == 18) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

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
    EXPECT_FALSE(frameShowsQuestionColour(platform->display->inner().lastFrame()));
    typeText("wer");
    EXPECT_TRUE(frameShowsQuestionColour(platform->display->inner().lastFrame()));
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

TEST_F(QuestionEntryTest, OfTwoKeysInOneFrameOnlyTheLowerScanCodeIsTyped)
{
    platform->input.typeKey(30, "a");
    platform->input.typeKey(16, "q");
    frame();
    platform->input.releaseKey(30);
    platform->input.releaseKey(16);
    frame();
    EXPECT_EQ(state().questionText, "q");
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
