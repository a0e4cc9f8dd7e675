#include "music/BeepTone.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

TEST(BeepTone, IsAShortAudibleToneWithoutClicking)
{
    const std::vector<std::uint8_t> wave = makeBeepWave(44100);
    std::vector<int> samples;
    for (std::size_t at = 44; at + 1 < wave.size(); at += 2) {
        samples.push_back(static_cast<std::int16_t>(wave[at] | wave[at + 1] << 8));
    }
    const double seconds = static_cast<double>(samples.size()) / 44100;
    EXPECT_GE(seconds, 0.08);
    EXPECT_LE(seconds, 0.3);
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
    const double hertz = crossings / seconds;
    EXPECT_GT(hertz, 400);
    EXPECT_LT(hertz, 1200);
}
