#include "ShellTestPlatform.h"

using namespace shelltest;

using MusicTest = ShellTest;

// Stored off, the program starts silently; the music button switches the player at once, with
// either mouse button, and the back button stores its state.
TEST_F(MusicTest, TheMusicButtonSwitchesThePlayerAtOnce)
{
    saveSetting("music", 1);
    ASSERT_TRUE(start());
    CFakeAudioDevice& audio = platform->audioDevice;
    EXPECT_FALSE(audio.playing());
    clickSettings();
    EXPECT_EQ(app->graphics().mb_music->value(), 1);
    click(380, 400);
    EXPECT_TRUE(audio.playing());
    click(380, 400, 1);
    EXPECT_FALSE(audio.playing());
    click(380, 400);
    EXPECT_EQ(app->graphics().mb_music->value(), 0);
    clickBack();
    EXPECT_EQ(storedSetting("music"), 0);
}

// A missing or damaged package leaves its messages and the program runs silently; without a
// sound device it is silent with no message at all, and a full question beeps at nothing.
TEST_F(MusicTest, WithoutPackageOrDeviceTheProgramRunsSilently)
{
    const std::vector<std::string> packageMessages{"Farbtiefe: 32",
                                                   "Could not load bonus package",
                                                   "music.ogg: cannot find song within bonus package",
                                                   "music.ogg: cannot load song from bonus package",
                                                   "cannot open song for streaming",
                                                   "cannot play song"};
    for (const char* package : {"", "MZ kaputt"}) {
        restart();
        fs::remove(folder / "resource.dat");
        if (*package != '\0') {
            tempFolder.write("resource.dat", package);
        }
        ASSERT_TRUE(start());
        EXPECT_EQ(log(), packageMessages);
        EXPECT_FALSE(platform->audioDevice.playing());
        EXPECT_TRUE(boxes().empty());
        clickStart();
        EXPECT_EQ(state().screenState, EScreen::Question);
    }

    restart();
    writeSongPackage(folder / "resource.dat");
    platform->audioDevice.setNoDevice(true);
    ASSERT_TRUE(start());
    EXPECT_EQ(log(), std::vector<std::string>{"Farbtiefe: 32"});
    EXPECT_FALSE(platform->audioDevice.playing());
    clickStart();
    state().questionText = std::string(200, 'a');
    typeText("b");
    EXPECT_EQ(state().questionText.size(), 200u);
}
