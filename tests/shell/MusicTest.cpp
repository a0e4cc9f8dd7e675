#include "ShellTestPlatform.h"

using namespace shelltest;

namespace {

using MusicTest = ShellTest;

const std::vector<std::string> kPackageMessages{
    "Could not load bonus package",
    "music.ogg: cannot find song within bonus package",
    "music.ogg: cannot load song from bonus package",
    "cannot open song for streaming",
    "cannot play song",
};

} // namespace

TEST_F(MusicTest, PlaysTheSongFromThePackageAtStart)
{
    ASSERT_TRUE(start());
    const std::vector<std::string>& calls = platform->audioDevice.calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0], "init 44100 32");
    EXPECT_EQ(calls[1].rfind("open 1", 0), 0u);
    EXPECT_EQ(calls[2], "play 1");
    EXPECT_EQ(log(), std::vector<std::string>{"Farbtiefe: 32"});
}

TEST_F(MusicTest, StoredOffStartsSilentlyAndTheButtonStartsTheSong)
{
    saveSetting("music", 1);
    ASSERT_TRUE(start());
    EXPECT_FALSE(platform->audioDevice.playing());
    EXPECT_EQ(log(), std::vector<std::string>{"Farbtiefe: 32"});
    clickSettings();
    EXPECT_EQ(app->graphics().mb_music->value(), 1);
    click(380, 400);
    EXPECT_TRUE(platform->audioDevice.playing());
    clickBack();
    EXPECT_EQ(storedSetting("music"), 0);
}

TEST_F(MusicTest, MissingPackageLeavesItsMessagesAndTheProgramRunsSilently)
{
    fs::remove(folder / "resource.dat");
    ASSERT_TRUE(start());
    std::vector<std::string> expected{"Farbtiefe: 32"};
    expected.insert(expected.end(), kPackageMessages.begin(), kPackageMessages.end());
    EXPECT_EQ(log(), expected);
    EXPECT_FALSE(platform->audioDevice.playing());
    EXPECT_TRUE(platform->boxes.boxes.empty());
    EXPECT_FALSE(app->quitPosted());
    clickStart();
    EXPECT_EQ(state().screenState, EScreen::Question);
}

TEST_F(MusicTest, DamagedPackageIsReportedLikeAMissingOne)
{
    std::ofstream(folder / "resource.dat", std::ios::binary | std::ios::trunc) << "MZ kaputt";
    ASSERT_TRUE(start());
    std::vector<std::string> expected{"Farbtiefe: 32"};
    expected.insert(expected.end(), kPackageMessages.begin(), kPackageMessages.end());
    EXPECT_EQ(log(), expected);
    EXPECT_FALSE(platform->audioDevice.playing());
}

TEST_F(MusicTest, NoSoundDeviceIsSilenceNotAnError)
{
    platform->audioDevice.setNoDevice(true);
    ASSERT_TRUE(start());
    EXPECT_EQ(log(), std::vector<std::string>{"Farbtiefe: 32"});
    EXPECT_FALSE(platform->audioDevice.playing());
    clickStart();
    state().questionText = std::string(200, 'a');
    typeText("b");
    EXPECT_EQ(state().questionText.size(), 200u);
}
