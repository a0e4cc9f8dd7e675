#include "music/BeepTone.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

std::uint32_t field(const std::vector<std::uint8_t>& wave, std::size_t at, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | wave.at(at + static_cast<std::size_t>(i));
    }
    return value;
}

std::vector<int> samplesOf(const std::vector<std::uint8_t>& wave)
{
    std::vector<int> samples;
    for (std::size_t at = 44; at + 1 < wave.size(); at += 2) {
        samples.push_back(static_cast<std::int16_t>(field(wave, at, 2)));
    }
    return samples;
}

} // namespace

TEST(BeepTone, IsAShortPcmWaveAnyMixerCanLoad)
{
    const std::vector<std::uint8_t> wave = makeBeepWave(44100);
    EXPECT_EQ(std::string(wave.begin(), wave.begin() + 4), "RIFF");
    EXPECT_EQ(field(wave, 4, 4), wave.size() - 8);
    EXPECT_EQ(std::string(wave.begin() + 8, wave.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(field(wave, 20, 2), 1u);     // PCM
    EXPECT_EQ(field(wave, 22, 2), 1u);     // mono
    EXPECT_EQ(field(wave, 24, 4), 44100u);
    EXPECT_EQ(field(wave, 34, 2), 16u);
    EXPECT_EQ(std::string(wave.begin() + 36, wave.begin() + 40), "data");
    EXPECT_EQ(field(wave, 40, 4), wave.size() - 44);
    const double seconds = static_cast<double>(field(wave, 40, 4)) / 2 / 44100;
    EXPECT_GE(seconds, 0.08);
    EXPECT_LE(seconds, 0.3);
    EXPECT_EQ(field(makeBeepWave(22050), 24, 4), 22050u);
}

TEST(BeepTone, IsAudibleWithoutClicking)
{
    const std::vector<int> samples = samplesOf(makeBeepWave(44100));
    const auto peak = std::abs(*std::max_element(samples.begin(), samples.end(),
                                                 [](int a, int b) { return std::abs(a) < std::abs(b); }));
    EXPECT_GT(peak, 3000);
    EXPECT_LT(peak, 20000);
    // Both edges start and end at silence, without a jump.
    EXPECT_EQ(samples.front(), 0);
    EXPECT_LE(std::abs(samples.back()), 2);
    EXPECT_LT(std::abs(samples[1] - samples[0]), 2000);
    // A clear tone in the middle of the hearing range: count upward zero crossings.
    int crossings = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        crossings += samples[i - 1] < 0 && samples[i] >= 0;
    }
    const double hertz = crossings / (samples.size() / 44100.0);
    EXPECT_GT(hertz, 400);
    EXPECT_LT(hertz, 1200);
}
