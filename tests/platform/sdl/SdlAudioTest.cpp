// The audio device on the real mixer, with SDL's dummy output driver: what it would send to
// the loudspeaker is captured and compared with the song itself.
#include "platform/sdl/SdlAudio.h"

#include "music/CMusicPlayer.h"
#include "song/OggVorbisEncoder.h"

#include "OggDecoding.h"
#include "TempFolder.h"
#include "TestPackages.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <mutex>
#include <numbers>
#include <thread>

using namespace std::chrono_literals;

namespace {

const std::filesystem::path kDataDir = MINNE_DATA_DIR;

// Collects the device's output from the audio thread.
class COutputRecorder {
public:
    explicit COutputRecorder(CSdlAudio& audio) : audio_(audio)
    {
        audio_.setOutputMonitor([this](std::span<const std::int16_t> samples) {
            const std::lock_guard lock(lock_);
            samples_.insert(samples_.end(), samples.begin(), samples.end());
        });
    }
    ~COutputRecorder() { audio_.setOutputMonitor({}); }

    std::vector<std::int16_t> take()
    {
        const std::lock_guard lock(lock_);
        return std::exchange(samples_, {});
    }
    // Waits until at least `frames` stereo frames have come out (or gives up after a while).
    std::vector<std::int16_t> record(std::size_t frames)
    {
        std::vector<std::int16_t> all;
        for (int wait = 0; wait < 500 && all.size() < 2 * frames; ++wait) {
            std::this_thread::sleep_for(10ms);
            const std::vector<std::int16_t> more = take();
            all.insert(all.end(), more.begin(), more.end());
        }
        return all;
    }

private:
    CSdlAudio& audio_;
    std::mutex lock_;
    std::vector<std::int16_t> samples_;
};

std::size_t firstSound(const std::vector<std::int16_t>& samples)
{
    const auto found = std::find_if(samples.begin(), samples.end(), [](std::int16_t s) { return s != 0; });
    return static_cast<std::size_t>(found - samples.begin());
}

double rms(const std::vector<std::int16_t>& samples, std::size_t from, std::size_t count)
{
    double sum = 0.0;
    for (std::size_t i = from; i < from + count && i < samples.size(); ++i) {
        sum += static_cast<double>(samples[i]) * samples[i];
    }
    return std::sqrt(sum / static_cast<double>(count));
}

// The longest run of exact silence (in stereo frames) from `from` on.
std::size_t longestSilence(const std::vector<std::int16_t>& samples, std::size_t from)
{
    std::size_t longest = 0;
    std::size_t run = 0;
    for (std::size_t i = from; i + 1 < samples.size(); i += 2) {
        run = (samples[i] == 0 && samples[i + 1] == 0) ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

// A quarter second of a soft 440 Hz tone, a whole number of periods, encoded like the song.
std::vector<std::uint8_t> shortLoop()
{
    std::vector<float> tone(11025);
    for (std::size_t i = 0; i < tone.size(); ++i) {
        tone[i] = 0.3f * static_cast<float>(std::sin(2.0 * std::numbers::pi * 440.0 * i / 44100.0));
    }
    return encodeOggVorbis(tone, tone, 44100, 0.4f, {});
}

class SdlAudioTest : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("SDL_AUDIODRIVER", "dummy", 1); }
};

} // namespace

TEST_F(SdlAudioTest, PlaysALoopingSongFromMemory)
{
    const std::vector<std::uint8_t> song = shortLoop();
    CSdlAudio audio;
    ASSERT_TRUE(audio.init(44100, 32));
    EXPECT_EQ(audio.outputRate(), 44100);
    EXPECT_EQ(audio.outputChannels(), 2);
    COutputRecorder recorder(audio);
    const SAudioStream stream = audio.openLoopingStream(song);
    ASSERT_TRUE(stream);
    ASSERT_TRUE(audio.play(stream));

    // Four times the song's length: it must have started over without a pause.
    const std::vector<std::int16_t> out = recorder.record(4 * 11025 + 8192);
    const std::size_t start = firstSound(out);
    ASSERT_LT(start + 2 * 4 * 11025, out.size());
    EXPECT_LT(longestSilence(out, start), 4u);
    const double first = rms(out, start, 2 * 11025);
    const double third = rms(out, start + 2 * 2 * 11025, 2 * 11025);
    EXPECT_NEAR(first, 0.3 * 32767 / std::sqrt(2.0), 600);
    EXPECT_NEAR(third, first, 300);

    audio.stopAll();
    recorder.record(4096);
    const std::vector<std::int16_t> after = recorder.record(4096);
    EXPECT_EQ(firstSound(after), after.size()) << "still sounding after stop";
    audio.close(stream);
}

TEST_F(SdlAudioTest, TheGeneratedSongComesOutAsItsDecoderGivesIt)
{
    const std::vector<std::uint8_t> song = testpackages::builtSong();
    const std::optional<SDecodedSong> reference = decodeOgg(song);
    ASSERT_TRUE(reference.has_value());
    CSdlAudio audio;
    ASSERT_TRUE(audio.init(44100, 32));
    COutputRecorder recorder(audio);
    const SAudioStream stream = audio.openLoopingStream(song);
    ASSERT_TRUE(stream);
    ASSERT_TRUE(audio.play(stream));
    const std::vector<std::int16_t> out = recorder.record(44100);
    audio.close(stream);

    // The song starts at the first sound that comes out; from there on, half a second of it
    // is the decoded song, sample for sample (give or take the rounding to 16 bits).
    const std::size_t start = firstSound(out);
    ASSERT_LT(start + 2 * 22050, out.size());
    ASSERT_EQ(start % 2, 0u);
    int largestDifference = 0;
    for (std::size_t frame = 0; frame < 22050; ++frame) {
        const auto expected = [](float x) { return static_cast<int>(std::lround(std::clamp(x, -1.0f, 1.0f) * 32767.0f)); };
        largestDifference = std::max({largestDifference,
                                      std::abs(out[start + 2 * frame] - expected(reference->left[frame])),
                                      std::abs(out[start + 2 * frame + 1] - expected(reference->right[frame]))});
    }
    EXPECT_LE(largestDifference, 2);
    EXPECT_GT(rms(out, start, 2 * 22050), 1000.0);
}

TEST_F(SdlAudioTest, TheBeepIsAShortSoundOfItsOwn)
{
    CSdlAudio audio;
    ASSERT_TRUE(audio.init(44100, 32));
    COutputRecorder recorder(audio);
    audio.beep();
    const std::vector<std::int16_t> out = recorder.record(44100);
    const std::size_t start = firstSound(out);
    ASSERT_LT(start, out.size());
    EXPECT_GT(rms(out, start, 2 * 2205), 1000.0);
    // Over within a fraction of a second.
    const std::size_t over = start + 2 * 13230;
    ASSERT_LT(over, out.size());
    EXPECT_TRUE(std::all_of(out.begin() + static_cast<std::ptrdiff_t>(over), out.end(),
                            [](std::int16_t sample) { return sample == 0; }));
}

TEST_F(SdlAudioTest, RefusesWhatIsNotAnOggSong)
{
    CSdlAudio audio;
    ASSERT_TRUE(audio.init(44100, 32));
    EXPECT_FALSE(audio.openLoopingStream({}));
    const std::vector<std::uint8_t> text = testpackages::bytesOf("RIFF and then nothing a decoder wants");
    EXPECT_FALSE(audio.openLoopingStream(text));
    EXPECT_FALSE(audio.play(SAudioStream{}));
    EXPECT_FALSE(audio.play(SAudioStream{42}));
    audio.close(SAudioStream{42});
}

TEST_F(SdlAudioTest, WithoutADeviceEverythingIsQuietlyNothing)
{
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    const std::vector<std::uint8_t> song = shortLoop();
    CSdlAudio audio;
    EXPECT_FALSE(audio.init(44100, 32));
    EXPECT_EQ(audio.outputRate(), 0);
    EXPECT_FALSE(audio.openLoopingStream(song));
    EXPECT_FALSE(audio.play(SAudioStream{1}));
    audio.stopAll();
    audio.beep();
    audio.close(SAudioStream{1});
}

// The program closes the device on a thread of its own while its window goes, so the two
// waits overlap at the end; the device is then nothing, and the destructor has nothing left.
TEST_F(SdlAudioTest, ShuttingDownOnAnotherThreadLeavesAQuietDevice)
{
    const std::vector<std::uint8_t> song = shortLoop();
    CSdlAudio audio;
    ASSERT_TRUE(audio.init(44100, 32));
    const SAudioStream stream = audio.openLoopingStream(song);
    ASSERT_TRUE(audio.play(stream));
    std::thread([&audio] { audio.shutDown(); }).join();
    EXPECT_EQ(audio.outputRate(), 0);
    EXPECT_FALSE(audio.play(stream));
    EXPECT_FALSE(audio.openLoopingStream(song));
    audio.beep();
    audio.shutDown();
}

TEST_F(SdlAudioTest, ThePlayerStartsTheBuiltSong)
{
    CTempFolder logFolder;
    CManualClock clock;
    CStderrFatalSink sink;
    CLogs logs(clock, sink, logFolder.path());
    CSdlAudio audio;
    COutputRecorder recorder(audio);
    {
        CMusicPlayer player(audio, logs, kDataDir);
        player.AddSong("music.ogg");
        player.Start();
        EXPECT_FALSE(player.disabled());
        const std::vector<std::int16_t> out = recorder.record(22050);
        EXPECT_LT(firstSound(out), out.size());
        player.Toggle();
        EXPECT_TRUE(player.disabled());
    }
    EXPECT_FALSE(std::filesystem::exists(logFolder.path() / "error_log.txt"));
}
