#include "ShellTestPlatform.h"

using namespace shelltest;

namespace {

// A colour no frame of the test pictures has, written into the back buffer: it stays there
// only while no frame is composed.
constexpr std::uint8_t kMarker[4] = {0x12, 0xEF, 0xCD, 0xAB};

class IdleFrameTest : public ShellTest {
protected:
    void markBackBuffer()
    {
        std::uint8_t* corner = app->screen()->back()->memory()->row(0);
        std::copy(std::begin(kMarker), std::end(kMarker), corner);
    }
    bool backBufferMarked()
    {
        const std::uint8_t* corner = app->screen()->back()->memory()->row(0);
        return std::equal(std::begin(kMarker), std::end(kMarker), corner);
    }
    // After a few frames to settle: whether the next `count` frames composed nothing while
    // each still kept the display's pace.
    bool idleFramesComposeNothing(int count = 5)
    {
        frames(3);
        markBackBuffer();
        const int presented = platform->presentedFrames;
        frames(count);
        return backBufferMarked() && platform->presentedFrames == presented + count;
    }
    // Whether the next frame is composed.
    bool nextFrameComposed()
    {
        markBackBuffer();
        frame();
        return !backBufferMarked();
    }
};

} // namespace

TEST_F(IdleFrameTest, TitleHelpAndSettingsComposeNothingWhileNothingChanges)
{
    ASSERT_TRUE(start());
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
    ASSERT_TRUE(start());
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
    (*platform->display).loseSurfaces();
    EXPECT_TRUE(nextFrameComposed()) << "surfaces lost";
    EXPECT_TRUE(idleFramesComposeNothing()) << "after the pictures came back";
}

TEST_F(IdleFrameTest, ASettingChangedByAClickIsShown)
{
    ASSERT_TRUE(start());
    clickSettings();
    const CCycleButton& music = *app->graphics().mb_music;
    const std::int32_t before = music.value();
    click(music.x() + 10, music.y() + 10);
    ASSERT_NE(music.value(), before);
    ASSERT_TRUE(idleFramesComposeNothing());
    // The frame on show is the one composed with the new value.
    const std::vector<std::uint8_t> shown = (*platform->display).lastFrame();
    platform->input.pointAt(401, 100);
    frame();
    platform->input.pointAt(music.x() + 10, music.y() + 10);
    frame();
    EXPECT_EQ((*platform->display).lastFrame(), shown);
}

TEST_F(IdleFrameTest, TheSceneIsComposedInEveryFrame)
{
    ASSERT_TRUE(start());
    clickStart();
    frames(3);
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(nextFrameComposed()) << i;
    }
}
