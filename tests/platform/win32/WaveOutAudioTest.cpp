// The song as the Windows build plays it: decoded by the loop, fed through the feeder to a
// recording sink, and the real wave output where the machine has one.
#include "platform/win32/VorbisLoop.h"
#include "platform/win32/WaveFeeder.h"
#include "platform/win32/WaveOutAudio.h"

#include "TestPackages.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <thread>

#define STB_VORBIS_HEADER_ONLY
#define STB_VORBIS_NO_STDIO
#define STB_VORBIS_NO_PUSHDATA_API
#include <stb_vorbis.h>

using namespace std::chrono_literals;
using Samples = std::vector<std::int16_t>;

namespace {

// The song once through, as interleaved stereo, straight from the decoder.
Samples songOnce(const std::vector<std::uint8_t>& ogg)
{
    short* samples = nullptr;
    int channels = 0, rate = 0;
    const int frames = stb_vorbis_decode_memory(ogg.data(), static_cast<int>(ogg.size()), &channels, &rate, &samples);
    Samples stereo;
    for (int i = 0; i < 2 * frames; ++i) {
        stereo.push_back(samples[(i / 2) * channels + (channels == 2 ? i % 2 : 0)]);
    }
    free(samples);
    return stereo;
}

// Takes buffers as a device would, keeps what it was given, and plays nothing until asked.
class CRecordingSink final : public IWaveSink {
public:
    bool submit(std::size_t index, std::span<const std::int16_t> samples) override
    {
        const std::lock_guard lock(lock_);
        if (received_.size() >= wanted_) {
            held_.insert(index);
        }
        received_.insert(received_.end(), samples.begin(), samples.end());
        return true;
    }
    bool finished(std::size_t index) override
    {
        const std::lock_guard lock(lock_);
        return !held_.contains(index);
    }
    void waitForAny(std::chrono::milliseconds limit) override { std::this_thread::sleep_for(std::min(limit, 5ms)); }
    void reset() override
    {
        const std::lock_guard lock(lock_);
        held_.clear();
        ++resets;
    }

    // Forgets what came so far and takes about this many more samples before holding buffers.
    void expect(std::size_t samples)
    {
        const std::lock_guard lock(lock_);
        received_.clear();
        wanted_ = samples;
        held_.clear();
    }
    // What came since `expect`, once it is all there or the patience is over.
    Samples wait(std::chrono::milliseconds patience = 5s)
    {
        for (auto waited = 0ms; waited < patience; waited += 5ms) {
            std::this_thread::sleep_for(5ms);
            const std::lock_guard lock(lock_);
            if (received_.size() >= wanted_) {
                break;
            }
        }
        const std::lock_guard lock(lock_);
        return received_;
    }

    std::atomic<int> resets = 0;

private:
    std::mutex lock_;
    Samples received_;
    std::size_t wanted_ = 0;
    std::set<std::size_t> held_;
};

class WaveOutAudioTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_GT(once_.size(), 44100u); }

    bool startsTheSong(const Samples& played, std::size_t samples) const
    {
        return played.size() >= samples &&
               std::equal(played.begin(), played.begin() + std::ptrdiff_t(samples), once_.begin());
    }

    const std::vector<std::uint8_t> ogg_ = testpackages::builtSong();
    const Samples once_ = songOnce(ogg_);
};

TEST_F(WaveOutAudioTest, TheLoopGoesOnFromTheFirstSampleWithoutAGap)
{
    std::optional<CVorbisLoop> loop = CVorbisLoop::open(ogg_);
    ASSERT_TRUE(loop);
    EXPECT_EQ(loop->sampleRate(), 44100);
    // Odd-sized reads, so the seam falls inside one of them; twice round and a bit.
    Samples played;
    Samples chunk(2 * 3001);
    while (played.size() < 2 * once_.size() + 20000) {
        ASSERT_TRUE(loop->read(chunk));
        played.insert(played.end(), chunk.begin(), chunk.end());
    }
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < played.size(); ++i) {
        wrong += played[i] != once_[i % once_.size()] ? 1 : 0;
    }
    EXPECT_EQ(wrong, 0u);
    loop->rewind();
    ASSERT_TRUE(loop->read(chunk));
    EXPECT_TRUE(startsTheSong(chunk, chunk.size()));
    EXPECT_FALSE(CVorbisLoop::open(std::vector<std::uint8_t>(ogg_.begin(), ogg_.begin() + 100)));
    EXPECT_FALSE(CVorbisLoop::open({}));
}

// Played, the song is fed from its beginning; stopped or closed, nothing more; played again,
// it starts over. What is no song opens nothing, nor does the song on a device at another rate
// (it would play at the wrong pitch).
TEST_F(WaveOutAudioTest, PlayFeedsTheSongFromItsBeginningAndStopSilencesIt)
{
    auto owned = std::make_unique<CRecordingSink>();
    CRecordingSink& sink = *owned;
    CWaveOutAudio audio(std::move(owned), 44100);
    ASSERT_TRUE(audio.init(44100, 32));
    EXPECT_FALSE(audio.openLoopingStream(std::vector<std::uint8_t>(ogg_.begin(), ogg_.begin() + 100)));
    EXPECT_FALSE(audio.play(SAudioStream{7}));
    CWaveOutAudio other(std::make_unique<CRecordingSink>(), 22050);
    ASSERT_TRUE(other.init(22050, 32));
    EXPECT_FALSE(other.openLoopingStream(ogg_));
    const SAudioStream stream = audio.openLoopingStream(ogg_);
    ASSERT_TRUE(stream);
    sink.expect(40000);
    ASSERT_TRUE(audio.play(stream));
    EXPECT_TRUE(startsTheSong(sink.wait(), 40000));
    audio.stopAll();
    EXPECT_GE(sink.resets.load(), 1);
    sink.expect(1000);
    EXPECT_EQ(sink.wait(300ms).size(), 0u);

    sink.expect(20000);
    ASSERT_TRUE(audio.play(stream));
    EXPECT_TRUE(startsTheSong(sink.wait(), 20000));
    audio.close(stream);
    sink.expect(1000);
    EXPECT_EQ(sink.wait(300ms).size(), 0u);
    EXPECT_FALSE(audio.play(stream));
}

} // namespace
