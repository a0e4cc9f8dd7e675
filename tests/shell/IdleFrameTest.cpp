#include "ShellTestPlatform.h"

using namespace shelltest;

namespace {

// A colour no frame of the test pictures has, written into the back buffer: it stays there
// only while no frame is composed.
constexpr std::uint8_t kMarker[4] = {0x12, 0xEF, 0xCD, 0xAB};

using IdleFrameTest = ShellTest;

} // namespace

// While nothing changes the title menu, help and settings compose nothing, yet each frame keeps
// the display's pace; anything a menu is drawn from composes the next frame, and a setting
// changed by a click is shown: the frame on show is the one composed with the new value. The
// scene is composed in every frame.
TEST_F(IdleFrameTest, MenusComposeOnlyWhatChangedAndTheSceneEveryFrame)
{
    ASSERT_TRUE(start());
    const auto composedNothingOver = [this](int count) {
        std::copy(std::begin(kMarker), std::end(kMarker), app->screen()->back()->memory()->row(0));
        frames(count);
        return std::equal(std::begin(kMarker), std::end(kMarker), app->screen()->back()->memory()->row(0));
    };
    const auto nextFrameComposed = [&] { return !composedNothingOver(1); };
    // After a few frames to settle: whether five frames composed nothing, each still presented.
    const auto idleFramesComposeNothing = [&] {
        frames(3);
        const int presented = platform->presentedFrames;
        return composedNothingOver(5) && platform->presentedFrames == presented + 5;
    };
    pointAt(400, 100);
    EXPECT_TRUE(idleFramesComposeNothing()) << "title menu";
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
    clickHelp();
    ASSERT_EQ(state().screenState, EScreen::Help);
    EXPECT_TRUE(idleFramesComposeNothing()) << "help";
    clickBack();
    clickSettings();
    ASSERT_EQ(state().screenState, EScreen::Settings);
    EXPECT_TRUE(idleFramesComposeNothing()) << "settings";

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
