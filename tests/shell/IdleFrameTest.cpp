#include "ShellTestPlatform.h"

using namespace shelltest;

namespace {

// A colour no frame of the test pictures has, written into the back buffer: it stays there
// only while no frame is composed.
constexpr std::uint8_t kMarker[4] = {0x12, 0xEF, 0xCD, 0xAB};

class IdleFrameTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(start());
    }
    void markBackBuffer()
    {
        std::copy(std::begin(kMarker), std::end(kMarker), app->screen()->back()->memory()->row(0));
    }
    bool marked()
    {
        return std::equal(std::begin(kMarker), std::end(kMarker), app->screen()->back()->memory()->row(0));
    }
    // After a few frames to settle: whether the next five frames composed nothing while each
    // still kept the display's pace.
    bool idleFramesComposeNothing()
    {
        frames(3);
        markBackBuffer();
        const int presented = platform->presentedFrames;
        frames(5);
        return marked() && platform->presentedFrames == presented + 5;
    }
    bool nextFrameComposed()
    {
        markBackBuffer();
        frame();
        return !marked();
    }
};

} // namespace

TEST_F(IdleFrameTest, TitleHelpAndSettingsComposeNothingWhileNothingChanges)
{
    pointAt(400, 100);
    EXPECT_TRUE(idleFramesComposeNothing()) << "title menu";
    clickHelp();
    ASSERT_EQ(state().screenState, EScreen::Help);
    EXPECT_TRUE(idleFramesComposeNothing()) << "help";
    clickBack();
    clickSettings();
    ASSERT_EQ(state().screenState, EScreen::Settings);
    EXPECT_TRUE(idleFramesComposeNothing()) << "settings";
}

TEST_F(IdleFrameTest, AnythingTheMenuIsDrawnFromComposesTheNextFrame)
{
    pointAt(400, 100);
    ASSERT_TRUE(idleFramesComposeNothing());
    platform->input.pointAt(401, 100);
    EXPECT_TRUE(nextFrameComposed()) << "cursor moved";
    frames(3);
    platform->input.pressMouseButton(1);
    EXPECT_TRUE(nextFrameComposed()) << "button pressed";
    frames(3);
    platform->input.releaseMouseButton(1);
    EXPECT_TRUE(nextFrameComposed()) << "button let go";
    // The state after the release (let go, then up) is another input again.
    EXPECT_TRUE(nextFrameComposed()) << "button up";
    frames(3);
    display().loseSurfaces();
    EXPECT_TRUE(nextFrameComposed()) << "surfaces lost";
    EXPECT_TRUE(idleFramesComposeNothing()) << "after the pictures came back";
}

// A setting changed by a click is shown: the frame on show is the one composed with the new
// value. The scene is composed in every frame.
TEST_F(IdleFrameTest, AChangedSettingIsShownAndTheSceneIsComposedInEveryFrame)
{
    clickSettings();
    const CCycleButton& music = *app->graphics().mb_music;
    click(music.x() + 10, music.y() + 10);
    ASSERT_EQ(music.value(), 1);
    ASSERT_TRUE(idleFramesComposeNothing());
    const std::vector<std::uint8_t> shown = display().lastFrame();
    pointAt(401, 100);
    pointAt(music.x() + 10, music.y() + 10);
    EXPECT_EQ(display().lastFrame(), shown);

    clickBack();
    clickStart();
    frames(3);
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(nextFrameComposed()) << i;
    }
}
