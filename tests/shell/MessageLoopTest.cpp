#include "ShellTestPlatform.h"

using namespace shelltest;

TEST_F(ShellTest, MessagesGoBeforeFramesAndAnInactiveProgramOnlyWaits)
{
    ASSERT_TRUE(start());
    CNullDisplay& display = (*platform->display);
    const std::uint32_t presents = display.presentCount();

    platform->messages.messages.push_back({EMessageKind::Activate, false});
    app->runLoopStep(); // takes the message, draws nothing
    EXPECT_FALSE(state().active);
    EXPECT_EQ(display.presentCount(), presents);
    app->runLoopStep(); // nothing waits and the program is inactive: it blocks
    app->runLoopStep();
    EXPECT_EQ(platform->messages.waits, 2);
    EXPECT_EQ(display.presentCount(), presents);

    platform->messages.messages.push_back({EMessageKind::Activate, true});
    app->runLoopStep();
    EXPECT_EQ(display.presentCount(), presents);
    app->runLoopStep(); // active and nothing waiting: one frame
    EXPECT_EQ(display.presentCount(), presents + 1);
    EXPECT_EQ(platform->messages.waits, 2);
}

TEST_F(ShellTest, AnUncoveredInactiveWindowShowsItsLastFrameAgainAndDrawsNone)
{
    ASSERT_TRUE(start());
    frame();
    CNullDisplay& display = (*platform->display);
    const std::vector<std::uint8_t> shown = display.lastFrame();
    const std::uint32_t presents = display.presentCount();
    const EScreen screenBefore = state().screenState;

    platform->messages.messages.push_back({EMessageKind::Activate, false});
    app->runLoopStep();
    // Whatever the back buffer holds now is not what the window showed.
    app->screen()->back()->Fill(0x00123456);
    platform->messages.messages.push_back({EMessageKind::Repaint, false});
    app->runLoopStep();
    EXPECT_EQ(display.presentCount(), presents + 1);
    EXPECT_EQ(display.lastFrame(), shown);
    EXPECT_EQ(state().screenState, screenBefore);
    app->runLoopStep(); // then it waits again
    EXPECT_EQ(platform->messages.waits, 1);
    EXPECT_EQ(display.presentCount(), presents + 1);

    // An active program sends no frame while its picture stays the same, so it too shows the
    // last frame again when uncovered.
    platform->messages.messages.push_back({EMessageKind::Activate, true});
    platform->messages.messages.push_back({EMessageKind::Repaint, false});
    app->runLoopStep();
    app->runLoopStep();
    EXPECT_EQ(display.presentCount(), presents + 2);
    EXPECT_EQ(display.lastFrame(), shown);
}

namespace {

// The test cursor is white; the title menu has no white.
int whitePixels(const std::vector<std::uint8_t>& frame)
{
    int count = 0;
    for (std::size_t at = 0; at + 3 < frame.size(); at += 4) {
        count += frame[at] == 255 && frame[at + 1] == 255 && frame[at + 2] == 255 ? 1 : 0;
    }
    return count;
}

} // namespace

TEST_F(ShellTest, TheCursorIsHiddenWhileThePointerIsOutsideTheWindow)
{
    ASSERT_TRUE(start());
    CNullDisplay& display = (*platform->display);
    platform->input.pointAt(400, 300);
    frame();
    const int cursorPixels = whitePixels(display.lastFrame());
    ASSERT_GT(cursorPixels, 0);

    platform->input.pointAt(799, 300);
    platform->input.push({EInputEventType::PointerLeft});
    frame();
    EXPECT_EQ(whitePixels(display.lastFrame()), 0);
    frame();
    EXPECT_EQ(whitePixels(display.lastFrame()), 0);

    platform->input.push({EInputEventType::PointerEntered});
    platform->input.pointAt(200, 100);
    frame();
    EXPECT_EQ(whitePixels(display.lastFrame()), cursorPixels);
}

TEST_F(ShellTest, CloseShutsDownOnceAndPostsQuit)
{
    ASSERT_TRUE(start());
    platform->messages.messages.push_back({EMessageKind::Close, false});
    platform->messages.messages.push_back({EMessageKind::Close, false});
    app->runLoopStep();
    EXPECT_TRUE(app->isShutDown());
    EXPECT_TRUE(app->quitPosted());
    EXPECT_EQ(app->exitCode(), 0);
    EXPECT_EQ(app->screen(), nullptr);
    EXPECT_EQ(app->input(), nullptr);
    EXPECT_EQ(app->graphics().backMain, nullptr);
    EXPECT_EQ(app->timers().entryCount(), 0u);
    // The loop ends at its next look: the second close is never taken.
    app->runLoopStep();
    EXPECT_EQ(platform->messages.messages.size(), 1u);
    EXPECT_EQ(log(), std::vector<std::string>{"Farbtiefe: 32"});
}

TEST_F(ShellTest, EscapeEndsAtOnceOnEveryScreenWithoutPresenting)
{
    for (const EScreen screen : {EScreen::TitleMenu, EScreen::Help, EScreen::Settings, EScreen::Question,
                                 EScreen::Flight, EScreen::Glow, EScreen::Answer}) {
        fs::remove(folder / "error_log.txt");
        ASSERT_TRUE(start());
        state().screenState = screen;
        frame();
        const int presents = platform->presentedFrames;
        platform->input.pressKey(ScanCode::Escape, 27);
        frame();
        EXPECT_TRUE(app->isShutDown()) << static_cast<int>(screen);
        EXPECT_TRUE(app->quitPosted()) << static_cast<int>(screen);
        EXPECT_EQ(platform->presentedFrames, presents) << static_cast<int>(screen);
        EXPECT_EQ(log(), (std::vector<std::string>{"Farbtiefe: 32", "ESC pressed - leaving at once"}))
            << static_cast<int>(screen);
        platform->input.releaseKey(ScanCode::Escape);
    }
}

TEST_F(ShellTest, AltEnterTogglesTheWindowModeAndTypesNothing)
{
    ASSERT_TRUE(start());
    clickStart();
    platform->messages.messages.push_back({EMessageKind::ToggleWindowMode, false});
    app->runLoopStep();
    app->runLoopStep();
    EXPECT_EQ(platform->windowModeToggles, 1);
    EXPECT_EQ(state().questionText, "");
    EXPECT_EQ(state().screenState, EScreen::Question);
}

TEST_F(ShellTest, EndEntryLogsAndClosesAfterPresentingTheFrame)
{
    ASSERT_TRUE(start());
    pointAt(50, 530);
    platform->input.pressMouseButton(0);
    frame();
    const int presents = platform->presentedFrames;
    platform->input.releaseMouseButton(0);
    app->renderFrame();
    EXPECT_EQ(platform->presentedFrames, presents + 1);
    EXPECT_TRUE(app->isShutDown());
    EXPECT_TRUE(app->quitPosted());
    EXPECT_EQ(app->exitCode(), 0);
    EXPECT_EQ(log(), (std::vector<std::string>{"Farbtiefe: 32", "exiting"}));
    EXPECT_TRUE(platform->browserLauncher.addresses.empty());
}

TEST_F(ShellTest, HomePageEntryOpensTheBrowserThenCloses)
{
    ASSERT_TRUE(start());
    clickHomePage();
    ASSERT_EQ(platform->browserLauncher.addresses, std::vector<std::string>{"https://www.minnespiegel.example/"});
    EXPECT_TRUE(app->isShutDown());
    EXPECT_TRUE(app->quitPosted());
    EXPECT_EQ(app->exitCode(), 0);
    EXPECT_EQ(log(), std::vector<std::string>{"Farbtiefe: 32"});
}

TEST_F(ShellTest, HomePageWithoutABrowserIsLoggedAndStillEnds)
{
    platform->browserLauncher.refusal = "xdg-open: No such file or directory";
    ASSERT_TRUE(start());
    clickHomePage();
    EXPECT_EQ(platform->browserLauncher.addresses.size(), 1u);
    EXPECT_TRUE(app->isShutDown());
    EXPECT_TRUE(app->quitPosted());
    EXPECT_EQ(app->exitCode(), 0);
    EXPECT_EQ(log(), (std::vector<std::string>{
                         "Farbtiefe: 32", "launchHomePage: no browser could be started (xdg-open: No such file or directory)"}));
}

TEST_F(ShellTest, FlamesStepOnlyOnSceneScreensSharingOneCounter)
{
    ASSERT_TRUE(start());
    SGraphics& g = app->graphics();
    frames(10, 30);
    EXPECT_EQ(g.flameLeft->currentFrame(), 1);
    EXPECT_EQ(g.flameRight->currentFrame(), 1);
    clickStart();
    EXPECT_EQ(g.flameLeft->currentFrame(), 1);
    std::vector<int> lefts;
    std::vector<int> rights;
    for (int i = 0; i < 5; ++i) {
        frame(90);
        lefts.push_back(g.flameLeft->currentFrame());
        rights.push_back(g.flameRight->currentFrame());
    }
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(lefts[static_cast<std::size_t>(i)] % 2, 1);
        EXPECT_EQ(rights[static_cast<std::size_t>(i)] % 2, 0);
        EXPECT_EQ(rights[static_cast<std::size_t>(i)], (lefts[static_cast<std::size_t>(i)] + 1) % 10);
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
    saveSetting("music", 0);
    ASSERT_TRUE(start());
    clickSettings();
    ASSERT_EQ(state().screenState, EScreen::Settings);
    SGraphics& g = app->graphics();
    click(380, 260); // background selector: 2 -> 3
    click(380, 400); // music: 0 -> 1
    ASSERT_EQ(g.mb_back->value(), 3);
    ASSERT_EQ(g.mb_music->value(), 1);
    const CSurface* oldConfig = g.backConfig.get();

    (*platform->display).loseSurfaces();
    platform->display->refusals().lostRestores = 1;
    frame();
    EXPECT_NE(g.backConfig.get(), oldConfig);
    EXPECT_EQ(g.mb_back->value(), 3);
    EXPECT_EQ(g.mb_gender->value(), 1);
    EXPECT_EQ(g.mb_music->value(), 1);
    EXPECT_EQ(g.mb_back->frame(), 3u);
    EXPECT_EQ(g.mb_zurueck->x(), 700);
    EXPECT_EQ(g.mb_zurueck->y(), 555);
    EXPECT_TRUE(platform->boxes.boxes.empty());
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
    CNullDisplay& display = (*platform->display);
    const std::uint32_t presents = display.presentCount();

    platform->messages.messages.push_back({EMessageKind::Activate, false});
    platform->messages.messages.push_back({EMessageKind::Repaint, false});
    EXPECT_TRUE(app->runFrameStep()); // both messages, no frame drawn: inactive
    EXPECT_TRUE(platform->messages.messages.empty());
    EXPECT_EQ(display.presentCount(), presents + 1); // only the repaint
    EXPECT_TRUE(app->runFrameStep());
    EXPECT_EQ(platform->messages.waits, 0);
    EXPECT_EQ(display.presentCount(), presents + 1);

    platform->messages.messages.push_back({EMessageKind::Activate, true});
    EXPECT_TRUE(app->runFrameStep()); // the message and a frame in the same step
    const std::uint32_t afterFirst = display.presentCount();
    EXPECT_GE(afterFirst, presents + 1);
    EXPECT_TRUE(app->runFrameStep());
    EXPECT_EQ(platform->messages.waits, 0);

    platform->messages.messages.push_back({EMessageKind::Close, false});
    platform->messages.messages.push_back({EMessageKind::Activate, true});
    EXPECT_FALSE(app->runFrameStep());
    EXPECT_TRUE(app->quitPosted());
    EXPECT_FALSE(app->runFrameStep());
}
