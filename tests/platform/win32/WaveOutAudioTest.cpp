// The song as the Windows build plays it: decoded by the loop, fed through the feeder to a
// recording sink, and the real wave output where the machine has one.
#include "platform/win32/VorbisLoop.h"
#include "platform/win32/WaveFeeder.h"
#include "platform/win32/WaveOutAudio.h"

#include "music/CResourceModule.h"

#include <gtest/gtest.h>

#include <iostream>
#include <mutex>
#include <set>
#include <thread>

#define STB_VORBIS_HEADER_ONLY
#define STB_VORBIS_NO_STDIO
#define STB_VORBIS_NO_PUSHDATA_API
#include <stb_vorbis.h>

using namespace std::chrono_literals;

namespace {

std::vector<std::uint8_t> shippedSong()
{
    CResourceModule package(std::filesystem::path(MINNE_DATA_DIR) / "resource.dat");
    if (!package.Load()) {
        return {};
    }
    const auto location = package.Find("MUSIC.OGG", "OGG");
    const auto bytes = location ? package.Data(*location) : std::nullopt;
    return bytes ? std::vector<std::uint8_t>(bytes->begin(), bytes->end()) : std::vector<std::uint8_t>{};
}

// The song once through, as interleaved stereo, straight from the decoder.
std::vector<std::int16_t> songOnce(const std::vector<std::uint8_t>& ogg)
{
    short* samples = nullptr;
    int channels = 0;
    int rate = 0;
    const int frames = stb_vorbis_decode_memory(ogg.data(), static_cast<int>(ogg.size()), &channels, &rate, &samples);
    std::vector<std::int16_t> stereo;
    for (int i = 0; i < frames; ++i) {
        for (int side = 0; side < 2; ++side) {
            stereo.push_back(samples[i * channels + (channels == 2 ? side : 0)]);
        }
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
        ++resets_;
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
    std::vector<std::int16_t> wait(std::chrono::milliseconds patience = 5s)
    {
        for (auto waited = 0ms; waited < patience && size() < wanted_; waited += 5ms) {
            std::this_thread::sleep_for(5ms);
        }
        const std::lock_guard lock(lock_);
        return received_;
    }
    std::size_t size()
    {
        const std::lock_guard lock(lock_);
        return received_.size();
    }
    int resets()
    {
        const std::lock_guard lock(lock_);
        return resets_;
    }

private:
    std::mutex lock_;
    std::vector<std::int16_t> received_;
    std::size_t wanted_ = 0;
    std::set<std::size_t> held_;
    int resets_ = 0;
};

class WaveOutAudioTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ogg_ = shippedSong();
        ASSERT_FALSE(ogg_.empty()) << "no song in the build's resource.dat";
        once_ = songOnce(ogg_);
        ASSERT_GT(once_.size(), 44100u);
    }

    std::vector<std::uint8_t> ogg_;
    std::vector<std::int16_t> once_;
};

TEST_F(WaveOutAudioTest, TheLoopGoesOnFromTheFirstSampleWithoutAGap)
{
    std::optional<CVorbisLoop> loop = CVorbisLoop::open(ogg_);
    ASSERT_TRUE(loop);
    EXPECT_EQ(loop->sampleRate(), 44100);
    // Odd-sized reads, so the seam falls inside one of them; twice round and a bit.
    std::vector<std::int16_t> played;
    std::vector<std::int16_t> chunk(2 * 3001);
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
    EXPECT_TRUE(std::equal(chunk.begin(), chunk.end(), once_.begin()));
}

TEST_F(WaveOutAudioTest, BytesThatAreNoSongOpenNothing)
{
    const std::vector<std::uint8_t> damaged(ogg_.begin(), ogg_.begin() + 100);
    EXPECT_FALSE(CVorbisLoop::open(damaged));
    EXPECT_FALSE(CVorbisLoop::open({}));
    auto sink = std::make_unique<CRecordingSink>();
    CWaveOutAudio audio(std::move(sink), 44100);
    ASSERT_TRUE(audio.init(44100, 32));
    EXPECT_FALSE(audio.openLoopingStream(damaged));
    EXPECT_FALSE(audio.play(SAudioStream{7}));
    // A device at another rate would play the song at the wrong pitch.
    CWaveOutAudio other(std::make_unique<CRecordingSink>(), 22050);
    ASSERT_TRUE(other.init(22050, 32));
    EXPECT_FALSE(other.openLoopingStream(ogg_));
}

TEST_F(WaveOutAudioTest, PlayFeedsTheSongFromItsBeginningAndStopSilencesIt)
{
    auto owned = std::make_unique<CRecordingSink>();
    CRecordingSink& sink = *owned;
    CWaveOutAudio audio(std::move(owned), 44100);
    ASSERT_TRUE(audio.init(44100, 32));
    const SAudioStream stream = audio.openLoopingStream(ogg_);
    ASSERT_TRUE(stream);
    sink.expect(40000);
    ASSERT_TRUE(audio.play(stream));
    std::vector<std::int16_t> first = sink.wait();
    ASSERT_GE(first.size(), 40000u);
    EXPECT_TRUE(std::equal(first.begin(), first.begin() + 40000, once_.begin()));

    audio.stopAll();
    EXPECT_GE(sink.resets(), 1);
    sink.expect(1000);
    EXPECT_EQ(sink.wait(300ms).size(), 0u);

    // Played again, it starts over.
    sink.expect(20000);
    ASSERT_TRUE(audio.play(stream));
    first = sink.wait();
    ASSERT_GE(first.size(), 20000u);
    EXPECT_TRUE(std::equal(first.begin(), first.begin() + 20000, once_.begin()));
    audio.close(stream);
    sink.expect(1000);
    EXPECT_EQ(sink.wait(300ms).size(), 0u);
    EXPECT_FALSE(audio.play(stream));
}

// Under wine on a machine without a sound card there is no device: then nothing sounds and
// nothing fails. Where there is one, the song goes out and stops.
TEST_F(WaveOutAudioTest, TheSystemOutputPlaysOrStaysSilent)
{
    CWaveOutAudio audio;
    const bool device = audio.init(44100, 32);
    const SAudioStream stream = audio.openLoopingStream(ogg_);
    EXPECT_EQ(static_cast<bool>(stream), device);
    EXPECT_EQ(audio.play(stream), device);
    std::this_thread::sleep_for(200ms);
    audio.stopAll();
    audio.close(stream);
    audio.beep();
    std::cout << "wave output device: " << (device ? "yes" : "none") << "\n";
}

} // namespace
