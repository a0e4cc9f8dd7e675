#include "ShellTestPlatform.h"

using namespace shelltest;

TEST_F(ShellTest, EscapeEndsAtOnceOnEveryScreenWithoutPresenting)
{
    for (const EScreen screen : {EScreen::TitleMenu, EScreen::Help, EScreen::Settings, EScreen::Question,
                                 EScreen::Flight, EScreen::Glow, EScreen::Answer}) {
        SCOPED_TRACE(static_cast<int>(screen));
        restart();
        ASSERT_TRUE(start());
        state().screenState = screen;
        frame();
        const int presents = platform->presentedFrames;
        pressEscape();
        EXPECT_TRUE(app->isShutDown());
        EXPECT_TRUE(app->quitPosted());
        EXPECT_EQ(platform->presentedFrames, presents);
        EXPECT_EQ(log(), (std::vector<std::string>{"Farbtiefe: 32", "ESC pressed - leaving at once"}));
    }
}

TEST_F(ShellTest, FlamesStepOnlyOnSceneScreensSharingOneCounter)
{
    ASSERT_TRUE(start());
    SGraphics& g = app->graphics();
    frames(10, 30);
    EXPECT_EQ(g.flameLeft->currentFrame(), 1);
    clickStart();
    EXPECT_EQ(g.flameLeft->currentFrame(), 1);
    for (int i = 0; i < 5; ++i) {
        frame(90);
        EXPECT_EQ(g.flameLeft->currentFrame() % 2, 1);
        EXPECT_EQ(g.flameRight->currentFrame(), (g.flameLeft->currentFrame() + 1) % 10);
    }
    clickBack();
    const int stoodLeft = g.flameLeft->currentFrame();
    frames(10, 90);
    EXPECT_EQ(g.flameLeft->currentFrame(), stoodLeft);
}

TEST_F(ShellTest, LostSurfacesReloadEveryPictureAndKeepTheSelectors)
{
    saveSetting("back", 2);
    saveSetting("dancer", 1);
    ASSERT_TRUE(start());
    clickSettings();
    ASSERT_EQ(state().screenState, EScreen::Settings);
    SGraphics& g = app->graphics();
    click(380, 260); // background selector: 2 -> 3
    click(380, 400); // music: 0 -> 1
    const CSurface* oldConfig = g.backConfig.get();
    display().loseSurfaces();
    display().refusals().lostRestores = 1;
    frame();
    EXPECT_NE(g.backConfig.get(), oldConfig);
    EXPECT_EQ(g.mb_back->frame(), 3u);
    EXPECT_EQ(g.mb_zurueck->y(), 555);
    EXPECT_TRUE(boxes().empty());
    frame();
    // Leaving saves what the selectors show.
    clickBack();
    EXPECT_EQ(storedSetting("back"), 3);
    EXPECT_EQ(storedSetting("dancer"), 1);
    EXPECT_EQ(storedSetting("music"), 1);
}

// The browser calls once per displayed frame and the page must never block.
TEST_F(ShellTest, AFrameStepTakesEveryWaitingMessageThenDrawsOnceAndNeverWaits)
{
    ASSERT_TRUE(start());
    const std::uint32_t presents = display().presentCount();
    post(EMessageKind::Activate, false);
    post(EMessageKind::Repaint);
    EXPECT_TRUE(app->runFrameStep()); // both messages, no frame drawn: inactive
    EXPECT_TRUE(platform->messages.empty());
    EXPECT_EQ(display().presentCount(), presents + 1); // only the repaint
    EXPECT_TRUE(app->runFrameStep());
    EXPECT_EQ(display().presentCount(), presents + 1);

    post(EMessageKind::Activate, true);
    EXPECT_TRUE(app->runFrameStep()); // the message and a frame in the same step
    EXPECT_TRUE(app->runFrameStep());
    EXPECT_EQ(platform->waits, 0);

    post(EMessageKind::Close);
    post(EMessageKind::Activate, true);
    EXPECT_FALSE(app->runFrameStep());
    EXPECT_TRUE(app->quitPosted());
    EXPECT_TRUE(app->isShutDown());
    EXPECT_FALSE(app->runFrameStep());
}
