#include "ShellTestPlatform.h"

using namespace shelltest;

namespace {

class DancerTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(start());
        EXPECT_EQ(shown(), 1);
        clickStart();
        frames(10, 30);
        EXPECT_EQ(shown(), 1) << "waits on frame 1 until a question is submitted";
        typeText("Liebe");
    }
    std::int32_t shown() { return app->graphics().dancer->currentFrame(); }
};

} // namespace

TEST_F(DancerTest, GivingAnswerLoopsFramesOneToTwentyNine)
{
    platform->input.pressKey(ScanCode::Return, 13);
    frame(0); // no time passes: no dancer step in this frame
    EXPECT_EQ(state().animationState, "givingAnswer");
    // The first step shows frame 1, never 30; then 2, 3, ... 29, 1, ...
    std::vector<std::int32_t> seen, expected;
    for (int i = 0; i < 31; ++i) {
        frame(30);
        seen.push_back(shown());
        expected.push_back(i % 29 + 1);
    }
    EXPECT_EQ(seen, expected);
}

TEST_F(DancerTest, KeepsDancingThroughTheGlowAndShowsFrameZeroOnceAtItsEnd)
{
    pressEnter();
    while (state().screenState != EScreen::Glow) {
        frame();
    }
    std::vector<std::int32_t> duringGlow;
    while (state().screenState == EScreen::Glow) {
        frame();
        duringGlow.push_back(shown());
    }
    // No flicker to frame 0 while the gate glows.
    ASSERT_GT(duringGlow.size(), 150u);
    duringGlow.pop_back();
    for (const std::int32_t f : duringGlow) {
        EXPECT_GE(f, 1);
        EXPECT_LE(f, 29);
    }
    EXPECT_EQ(state().animationState, "givingAnswer");
}

TEST_F(DancerTest, StandsStillOffTheSceneAndIsStoppedByTheBackButton)
{
    pressEnter();
    frames(5, 30);
    clickBack();
    const std::int32_t standing = shown();
    frames(20, 30);
    EXPECT_EQ(shown(), standing);
    clickHelp();
    frames(20, 30);
    EXPECT_EQ(shown(), standing);
}
