// The audio device on the real mixer, with SDL's dummy output driver: what it would send to
// the loudspeaker is captured and compared with the song itself.
#include "platform/sdl/SdlAudio.h"

#include "song/OggVorbisEncoder.h"

#include "OggDecoding.h"
#include "TestPackages.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <mutex>
#include <numbers>
#include <thread>

using namespace std::chrono_literals;
using Samples = std::vector<std::int16_t>;

namespace {

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

    // Waits until at least `frames` stereo frames have come out (or gives up after a while).
    Samples record(std::size_t frames)
    {
        Samples all;
        for (int wait = 0; wait < 500 && all.size() < 2 * frames; ++wait) {
            std::this_thread::sleep_for(10ms);
            const std::lock_guard lock(lock_);
            all.insert(all.end(), samples_.begin(), samples_.end());
            samples_.clear();
        }
        return all;
    }

private:
    CSdlAudio& audio_;
    std::mutex lock_;
    Samples samples_;
};

std::size_t firstSound(const Samples& samples)
{
    return static_cast<std::size_t>(std::find_if(samples.begin(), samples.end(), [](std::int16_t s) { return s != 0; }) -
                                    samples.begin());
}

double rms(const Samples& samples, std::size_t from, std::size_t count)
{
    double sum = 0.0;
    for (std::size_t i = from; i < from + count && i < samples.size(); ++i) {
        sum += static_cast<double>(samples[i]) * samples[i];
    }
    return std::sqrt(sum / static_cast<double>(count));
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
    // The output of `song` played from its start.
    Samples played(const std::vector<std::uint8_t>& song, std::size_t frames)
    {
        COutputRecorder recorder(audio);
        stream = audio.openLoopingStream(song);
        EXPECT_TRUE(audio.play(stream));
        return recorder.record(frames);
    }

    CSdlAudio audio;
    SAudioStream stream;
};

} // namespace

TEST_F(SdlAudioTest, PlaysALoopingSongFromMemoryUntilStoppedAndRefusesWhatIsNoSong)
{
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    CSdlAudio none;
    EXPECT_FALSE(none.init(44100, 32));
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(audio.init(44100, 32));
    EXPECT_EQ(audio.outputRate(), 44100);
    EXPECT_EQ(audio.outputChannels(), 2);
    // Four times the song's length: it must have started over without a pause.
    const std::vector<std::uint8_t> song = shortLoop();
    const Samples out = played(song, 4 * 11025 + 8192);
    const std::size_t start = firstSound(out);
    ASSERT_LT(start + 2 * 4 * 11025, out.size());
    std::size_t silence = 0;
    for (std::size_t i = start; i + 1 < out.size(); i += 2) {
        silence = out[i] == 0 && out[i + 1] == 0 ? silence + 1 : 0;
        ASSERT_LT(silence, 4u) << "a gap at " << i;
    }
    const double first = rms(out, start, 2 * 11025);
    EXPECT_NEAR(first, 0.3 * 32767 / std::sqrt(2.0), 600);
    EXPECT_NEAR(rms(out, start + 2 * 2 * 11025, 2 * 11025), first, 300);

    COutputRecorder recorder(audio);
    audio.stopAll();
    recorder.record(4096);
    const Samples after = recorder.record(4096);
    EXPECT_EQ(firstSound(after), after.size()) << "still sounding after stop";
    audio.close(stream);

    // The beep is a short sound of its own, over within a fraction of a second.
    audio.beep();
    const Samples beep = recorder.record(44100);
    const std::size_t sound = firstSound(beep);
    ASSERT_LT(sound + 2 * 13230, beep.size());
    EXPECT_GT(rms(beep, sound, 2 * 2205), 1000.0);
    EXPECT_EQ(firstSound(Samples(beep.begin() + static_cast<std::ptrdiff_t>(sound + 2 * 13230), beep.end())),
              beep.size() - sound - 2 * 13230);

    // What is no Ogg song is refused, and without a device (no driver, or shut down on the
    // program's closing thread while its window goes) everything is quietly nothing.
    EXPECT_FALSE(audio.openLoopingStream({}));
    EXPECT_FALSE(audio.openLoopingStream(testpackages::bytesOf("RIFF and then nothing a decoder wants")));
    EXPECT_FALSE(audio.play(SAudioStream{}));
    EXPECT_FALSE(audio.play(SAudioStream{42}));
    audio.close(SAudioStream{42});
    stream = audio.openLoopingStream(song);
    ASSERT_TRUE(audio.play(stream));
    std::thread([this] { audio.shutDown(); }).join();
    for (CSdlAudio* device : {&audio, &none}) {
        EXPECT_EQ(device->outputRate(), 0);
        EXPECT_FALSE(device->openLoopingStream(song));
        EXPECT_FALSE(device->play(stream));
        device->stopAll();
        device->beep();
        device->shutDown();
    }
}

// The build's song is stereo at 44100 Hz; from the first sound on, half a second is the decoded
// song, sample for sample (give or take the rounding to 16 bits).
TEST_F(SdlAudioTest, TheGeneratedSongComesOutAsItsDecoderGivesIt)
{
    ASSERT_TRUE(audio.init(44100, 32));
    const std::vector<std::uint8_t> song = testpackages::builtSong();
    const std::optional<SDecodedSong> reference = decodeOgg(song);
    ASSERT_TRUE(reference.has_value());
    EXPECT_EQ(reference->rate, 44100);
    EXPECT_EQ(reference->channels, 2);
    EXPECT_GE(reference->left.size(), 60u * 44100) << "a song of one to three minutes";
    EXPECT_LE(reference->left.size(), 180u * 44100);
    const Samples out = played(song, 44100);
    audio.close(stream);
    const std::size_t start = firstSound(out);
    ASSERT_LT(start + 2 * 22050, out.size());
    ASSERT_EQ(start % 2, 0u);
    const auto expected = [](float x) { return static_cast<int>(std::lround(std::clamp(x, -1.0f, 1.0f) * 32767.0f)); };
    int largestDifference = 0;
    for (std::size_t frame = 0; frame < 22050; ++frame) {
        largestDifference = std::max({largestDifference,
                                      std::abs(out[start + 2 * frame] - expected(reference->left[frame])),
                                      std::abs(out[start + 2 * frame + 1] - expected(reference->right[frame]))});
    }
    EXPECT_LE(largestDifference, 2);
    EXPECT_GT(rms(out, start, 2 * 22050), 1000.0);
}
