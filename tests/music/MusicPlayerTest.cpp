#include "music/CMusicPlayer.h"

#include "CFakeAudioDevice.h"

#include "TestPackages.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace testpackages;

namespace {

class CQuietSink final : public IFatalErrorSink {
public:
    void showErrorBox(const std::string& message) override { boxes.push_back(message); }
    void postQuit(int) override { ++quits; }
    std::vector<std::string> boxes;
    int quits = 0;
};

const std::string kFind = "music.ogg: cannot find song within bonus package";
const std::string kLoad = "music.ogg: cannot load song from bonus package";
const std::string kOpen = "cannot open song for streaming";
const std::string kPlay = "cannot play song";
const std::string kPackage = "Could not load bonus package";

using Lines = std::vector<std::string>; // calls of the audio device or messages of the log

class MusicPlayerTest : public ::testing::Test {
protected:
    // A package with a small song, unless a test writes another.
    MusicPlayerTest() : logs(clock, sink, folder.path()) { writePackage(songPackage(fakeSong())); }

    void writePackage(const std::vector<std::uint8_t>& bytes) { writeFile(folder.path() / "resource.dat", bytes); }

    // The messages of the error log, without their time stamps.
    Lines messages() const
    {
        Lines lines = CTempFolder::lines(folder / "error_log.txt");
        for (std::string& line : lines) {
            line.erase(0, 26);
        }
        return lines;
    }

    std::unique_ptr<CMusicPlayer> player(bool start = true)
    {
        auto made = std::make_unique<CMusicPlayer>(audio, logs, folder.path());
        made->AddSong("music.ogg");
        start ? made->Start() : made->Disable();
        return made;
    }

    CTempFolder folder;
    CManualClock clock;
    CQuietSink sink;
    CLogs logs;
    CFakeAudioDevice audio;
};

} // namespace

// Toggled off the song stops and its stream closes; on again it starts from the beginning, from
// the bytes in memory: the package on disk may change or go while the song plays.
TEST_F(MusicPlayerTest, PlaysTheSongFromThePackageInALoopAndToggles)
{
    writePackage(songPackage(fakeSong(4000)));
    auto started = player();
    EXPECT_EQ(audio.calls(), (Lines{"init 44100 32", "open 1 (4000 bytes)", "play 1"}));
    EXPECT_TRUE(audio.playing());
    EXPECT_EQ(started->songIndex(), 1);
    writePackage(songPackage(fakeSong(10)));
    started->Toggle();
    EXPECT_TRUE(started->disabled());
    EXPECT_FALSE(audio.playing());
    EXPECT_EQ(audio.openStreams(), 0u);
    started->Toggle();
    EXPECT_FALSE(started->disabled());
    EXPECT_EQ(audio.calls(), (Lines{"init 44100 32", "open 1 (4000 bytes)", "play 1", "stop all", "close 1",
                                    "stop all", "open 2 (4000 bytes)", "play 2"}));
    EXPECT_EQ(started->songIndex(), 1);
    EXPECT_EQ(messages(), Lines{});
    started.reset();
    EXPECT_EQ(audio.openStreams(), 0u);
    EXPECT_EQ(audio.corruptions(), 0);
}

// Each failing step is logged together with every step after it, and the music stays off.
TEST_F(MusicPlayerTest, FailuresAreLoggedStepByStepAndLeaveTheMusicOff)
{
    std::vector<std::uint8_t> truncated = songPackage(fakeSong(4000));
    truncated.resize(truncated.size() / 2);
    std::vector<std::uint8_t> dataOutside = songPackage(fakeSong(100));
    write32(dataOutside, resourceDirectoryOffset(dataOutside) + 3 * 24 + 4, 0x00FFFFFF); // the song's size
    const std::tuple<const char*, std::optional<std::vector<std::uint8_t>>, Lines> cases[] = {
        {"no package", std::nullopt, {kPackage, kFind, kLoad, kOpen, kPlay}},
        {"damaged package", truncated, {kPackage, kFind, kLoad, kOpen, kPlay}},
        {"no song in it",
         buildResourceModule({{"OGG", "OTHER.OGG", 0x0407, fakeSong()}, {"WAVE", "MUSIC.OGG", 0x0407, fakeSong()}}),
         {kFind, kLoad, kOpen, kPlay}},
        {"song data outside", dataOutside, {kLoad, kOpen, kPlay}},
        {"not a song", songPackage(bytesOf("RIFF....WAVEfmt not a song at all")), {kOpen, kPlay}},
    };
    for (const auto& [name, package, expected] : cases) {
        SCOPED_TRACE(name);
        std::filesystem::remove(folder.path() / "error_log.txt");
        std::filesystem::remove(folder.path() / "resource.dat");
        if (package) {
            writePackage(*package);
        }
        const auto started = player();
        EXPECT_EQ(messages(), expected);
        EXPECT_TRUE(started->disabled());
        EXPECT_FALSE(audio.playing());
        EXPECT_EQ(audio.openStreams(), 0u);
    }
    EXPECT_TRUE(sink.boxes.empty());
    EXPECT_EQ(sink.quits, 0);

    // Switching on again finds a package that appeared meanwhile.
    std::filesystem::remove(folder.path() / "resource.dat");
    const auto started = player();
    writePackage(songPackage(fakeSong()));
    started->Toggle();
    EXPECT_FALSE(started->disabled());
    EXPECT_TRUE(audio.playing());
}

TEST_F(MusicPlayerTest, StreamThatCannotPlayIsClosedLater)
{
    audio.setFailPlay(true);
    auto started = player();
    EXPECT_EQ(messages(), (Lines{kPlay}));
    EXPECT_TRUE(started->disabled());
    EXPECT_EQ(audio.openStreams(), 1u);

    audio.setFailPlay(false);
    started->Toggle();
    EXPECT_FALSE(started->disabled());
    EXPECT_EQ(audio.openStreams(), 1u);
    EXPECT_EQ(audio.playing(), SAudioStream{2});
    started.reset();
    EXPECT_EQ(audio.openStreams(), 0u);
}

TEST_F(MusicPlayerTest, WithoutASoundDeviceTheProgramIsSilentWithoutComplaint)
{
    audio.setNoDevice(true);
    const auto started = player();
    EXPECT_TRUE(started->disabled());
    EXPECT_EQ(started->songCount(), 0u);
    EXPECT_EQ(audio.calls(), (Lines{"init 44100 32"}));
    EXPECT_EQ(messages(), Lines{});

    // Switching music on tries again and fails again, saying so.
    started->Toggle();
    EXPECT_EQ(messages(), (Lines{kOpen, kPlay}));
    EXPECT_TRUE(started->disabled());
}

TEST_F(MusicPlayerTest, MusicSwitchedOffAtStartStartsFromTheBeginningWhenSwitchedOn)
{
    const auto off = player(false);
    EXPECT_EQ(audio.calls(), (Lines{"init 44100 32"}));
    off->Toggle();
    EXPECT_EQ(audio.calls(), (Lines{"init 44100 32", "stop all", "open 1 (300 bytes)", "play 1"}));
    EXPECT_FALSE(off->disabled());
    EXPECT_EQ(off->songIndex(), 1);
    EXPECT_EQ(messages(), Lines{});
}
