#include "ShellTestPlatform.h"

using namespace shelltest;

namespace {

// Frames 15 ms apart: exactly one tick of the 15-ms timers each.
class AnswerSequenceTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(start());
        clickStart();
        frame();
    }

    // Types the question and submits it. The submitting frame is already the flight's first:
    // its layer starts the flight timer; each later frame is one tick.
    void ask(const std::string& question)
    {
        typeText(question);
        pressKey(ScanCode::Return, 13);
        platform->input.releaseKey(ScanCode::Return);
        ASSERT_EQ(state().screenState, EScreen::Flight);
    }
    // Asks and runs through the flight and the glow to the answer's third frame.
    void askAndWait(const std::string& question)
    {
        ask(question);
        ASSERT_EQ(screenAfter(21 + 200), EScreen::Answer);
        frames(3);
    }

    std::uint32_t effectPixel(int x, int y)
    {
        CSurface& effect = *app->graphics().effectSurface;
        effect.Lock();
        const std::uint32_t pixel = effect.getPixel(x, y);
        effect.Unlock();
        return pixel;
    }
};

} // namespace

// What a user sees tick by tick: the box flies for 21 ticks, the gate glows for 200 (its
// window only, rising in dark red), the answer fades in and a click dismisses it from tick 101.
TEST_F(AnswerSequenceTest, FlightGlowAndAnswerTakeTheirTicks)
{
    ask("Ich liebe dich");
    EXPECT_EQ(screenAfter(20), EScreen::Flight);
    EXPECT_EQ(screenAfter(1), EScreen::Glow);
    frame();
    const std::uint32_t first = app->screen()->ColorToPixel(0x00020202); // level 2: red 2, green 2, blue 2
    EXPECT_EQ(effectPixel(1, 1), first);
    EXPECT_EQ(effectPixel(68, 79), first);
    EXPECT_EQ(effectPixel(0, 0), 0u); // top row and left column keep their black
    frames(62);
    EXPECT_EQ(effectPixel(1, 1), app->screen()->ColorToPixel(0x0006007E)); // the peak, 126
    frame();
    EXPECT_EQ(effectPixel(1, 1), app->screen()->ColorToPixel(0x0004017C)); // falling again
    EXPECT_EQ(screenAfter(135), EScreen::Glow);
    EXPECT_EQ(screenAfter(1), EScreen::Answer);
    EXPECT_EQ(effectPixel(30, 30), 0u);
    // The first answer frame starts the fade; the text shows from the next.
    EXPECT_TRUE(state().answerText.empty());
    frame();
    EXPECT_EQ(state().answerText, kLoveAnswer);
    frames(42);
    EXPECT_EQ(state().answerFade, 1);
    // A click that ends before tick 101 does nothing, nor does nothing pressed after it.
    frames(53);
    click(400, 300);
    EXPECT_EQ(screenAfter(4), EScreen::Answer);
    platform->input.pressMouseButton(0);
    EXPECT_EQ(screenAfter(1), EScreen::Question);
    platform->input.releaseMouseButton(0);
    EXPECT_EQ(state().questionText, "");
    EXPECT_EQ(state().answerText, "");
    EXPECT_EQ(state().animationState, "waiting");
}

// The engine is asked once with the question as typed; a question in distress gets the help
// answer instead, a one-byte question the line for no answer.
TEST_F(AnswerSequenceTest, TheAnswerComesFromTheHelpFileTheEngineOrTheNoAnswerLine)
{
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"liebe ich ritze mich", kHelpAnswer, true},
        {"Was ist los?", kFallbackAnswer, true},
        {"x", "Hmmmm. Wenn ich das w\xFC\xDFte ...", false}};
    for (const auto& [question, answer, answered] : cases) {
        askAndWait(question);
        EXPECT_EQ(state().answerText, answer);
        EXPECT_EQ(state().answered, answered) << question;
        frames(100);
        pressEnter();
        ASSERT_EQ(state().screenState, EScreen::Question);
    }
}

// Enter held since the submit dismisses the answer at tick 101; keypad Enter never does.
TEST_F(AnswerSequenceTest, EnterHeldSinceTheSubmitDismissesAtTick101)
{
    typeText("Liebe");
    pressKey(ScanCode::Return, 13);
    // Flight and glow; the last is also the answer's first frame.
    ASSERT_EQ(screenAfter(21 + 200), EScreen::Answer);
    EXPECT_EQ(screenAfter(100), EScreen::Answer);
    EXPECT_EQ(screenAfter(1), EScreen::Question);
    platform->input.releaseKey(ScanCode::Return);

    askAndWait("Liebe");
    frames(110);
    pressKey(ScanCode::KeypadEnter, 13);
    EXPECT_EQ(screenAfter(2), EScreen::Answer);
    platform->input.releaseKey(ScanCode::KeypadEnter);
    pressEnter();
    EXPECT_EQ(state().screenState, EScreen::Question);
}

// 45-ms frames: three ticks each; the glow's 200th tick is the second of a frame. The next
// question's flight, glow and answer take their full time.
TEST_F(AnswerSequenceTest, APhaseEndingInACatchUpLeavesNothingForTheNextQuestion)
{
    ask("Liebe");
    while (state().screenState != EScreen::Answer) {
        frame(45);
    }
    while (state().answerTicks <= 200) {
        frame(45);
    }
    platform->input.pressMouseButton(0);
    frame(45);
    platform->input.releaseMouseButton(0);
    ASSERT_EQ(state().screenState, EScreen::Question);
    EXPECT_EQ(state().answerText, "");
    ask("Liebe");
    EXPECT_EQ(screenAfter(21), EScreen::Glow);
    EXPECT_EQ(screenAfter(199), EScreen::Glow);
    frames(50);
    pressEnter();
    EXPECT_EQ(state().screenState, EScreen::Answer);
}

TEST_F(AnswerSequenceTest, BackButtonEndsTheSequence)
{
    for (const EScreen screen : {EScreen::Flight, EScreen::Glow, EScreen::Answer}) {
        SCOPED_TRACE(static_cast<int>(screen));
        ask("Liebe");
        while (state().screenState != screen) {
            frame();
        }
        frames(5);
        clickBack();
        EXPECT_EQ(state().screenState, EScreen::TitleMenu);
        EXPECT_EQ(state().animationState, "waiting");
        EXPECT_EQ(effectPixel(30, 30), 0u);
        EXPECT_EQ(state().questionText, "");
        // A fresh start begins at the question, and the next sequence runs in full.
        clickStart();
        EXPECT_EQ(screenAfter(30), EScreen::Question);
    }
    ask("Liebe");
    EXPECT_EQ(screenAfter(20), EScreen::Flight);
}

// Rows of the answer box below the single line's reach hold ink only for a second line. The
// box's text is the same in every tick, so the blend of every frame reads the box's table of
// runs rather than testing each pixel against the key.
TEST_F(AnswerSequenceTest, TheFadingAnswerIsBlendedFromItsRunsAndALongOneTakesTwoLines)
{
    auto inkBelowRow = [this](int row) {
        CSurface& box = *app->graphics().abox;
        const std::uint32_t ink = app->screen()->ColorToPixel(0x007D1964);
        box.Lock();
        int found = 0;
        for (int at = row * 500; at < 500 * 100; ++at) {
            found += box.getPixel(at % 500, at / 500) == ink;
        }
        box.Unlock();
        return found > 0;
    };
    askAndWait("Liebe");
    ASSERT_EQ(state().answerText, kLoveAnswer);
    for (int i = 0; i < 20; ++i) {
        frame();
        EXPECT_TRUE(app->graphics().abox->holdsRunTable()) << "frame " << i;
    }
    EXPECT_GT(state().answerFade, 5);
    EXPECT_TRUE(inkBelowRow(0));
    EXPECT_FALSE(inkBelowRow(62));
    frames(90);
    pressEnter();

    askAndWait("Warum so lang?");
    ASSERT_EQ(state().answerText, kLongAnswer);
    EXPECT_TRUE(inkBelowRow(62));
}
