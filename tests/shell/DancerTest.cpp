#include "ShellTestPlatform.h"

using namespace shelltest;

using DancerTest = ShellTest;

// The dancer waits on frame 1 until a question is submitted. Then its first step shows frame 1,
// never 30; then 2, 3, ... 29, 1, ... through the flight and the whole glow (two ticks a frame),
// without a flicker to frame 0 before the glow's end. Off the scene it stands still.
TEST_F(DancerTest, LoopsFramesOneToTwentyNineWhileGivingTheAnswerAndStandsStillOffTheScene)
{
    ASSERT_TRUE(start());
    const auto shown = [this] { return app->graphics().dancer->currentFrame(); };
    EXPECT_EQ(shown(), 1);
    clickStart();
    frames(10, 30);
    EXPECT_EQ(shown(), 1);
    typeText("Liebe");
    platform->input.pressKey(ScanCode::Return, 13);
    frame(0); // no time passes: no dancer step in this frame
    EXPECT_EQ(state().animationState, "givingAnswer");
    std::vector<std::int32_t> seen, expected;
    int glowFrames = 0;
    while (state().screenState != EScreen::Answer) {
        frame(30);
        glowFrames += state().screenState == EScreen::Glow;
        expected.push_back(static_cast<std::int32_t>(seen.size()) % 29 + 1);
        seen.push_back(shown());
    }
    seen.pop_back();
    expected.pop_back();
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(glowFrames, 100);
    EXPECT_EQ(state().animationState, "givingAnswer");

    platform->input.releaseKey(ScanCode::Return);
    clickBack();
    const std::int32_t standing = shown();
    frames(20, 30);
    EXPECT_EQ(shown(), standing);
    clickHelp();
    frames(20, 30);
    EXPECT_EQ(shown(), standing);
}
