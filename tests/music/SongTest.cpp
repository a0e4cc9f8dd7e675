// The song as the build made it: taken out of resource.dat the way the program does, decoded,
// and checked for its length and for a loop point that neither clicks nor fades.
#include "OggDecoding.h"
#include "TestPackages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// Sample `i` of the song played in a loop.
float looped(const std::vector<float>& x, long i)
{
    const long n = static_cast<long>(x.size());
    return x[static_cast<std::size_t>(((i % n) + n) % n)];
}

double rmsOf(const std::vector<float>& x, long from, long count)
{
    double sum = 0.0;
    for (long i = from; i < from + count; ++i) {
        sum += looped(x, i) * looped(x, i);
    }
    return std::sqrt(sum / count);
}

} // namespace

TEST(Song, IsALoudEnoughStereoLoopOfOneToThreeMinutesWithoutAClickOrFadeAtItsSeam)
{
    const std::optional<SDecodedSong> song = decodeOgg(testpackages::builtSong());
    ASSERT_TRUE(song);
    EXPECT_EQ(song->rate, 44100);
    EXPECT_EQ(song->channels, 2);
    const long n = static_cast<long>(song->left.size());
    EXPECT_GE(n, 60 * 44100);
    EXPECT_LE(n, 180 * 44100);
    for (const std::vector<float>* side : {&song->left, &song->right}) {
        // The step from the last sample to the first, against the music's own steps a tenth of
        // a second around the seam, and its bend: a click is far larger than either.
        std::vector<double> steps, bends;
        for (long i = -4410; i < 4410; ++i) {
            if (i < -2 || i > 0) {
                steps.push_back(std::abs(looped(*side, i + 1) - looped(*side, i)));
                bends.push_back(std::abs(looped(*side, i + 1) - 2 * looped(*side, i) + looped(*side, i - 1)));
            }
        }
        std::sort(steps.begin(), steps.end());
        std::sort(bends.begin(), bends.end());
        const std::vector<float>& x = *side;
        EXPECT_LE(std::abs(x[0] - x[n - 1]), 4 * steps[steps.size() / 2]);
        EXPECT_LE(std::abs((x[0] - x[n - 1]) - (x[n - 1] - x[n - 2])), bends[bends.size() * 99 / 100]);
        // Half a second on each side of the seam is as loud as the music around, and every
        // second of it sounds, with headroom.
        const double end = rmsOf(x, n - 22050, 22050), start = rmsOf(x, 0, 22050), whole = rmsOf(x, 0, n);
        EXPECT_GT(std::min(start, end), whole / 4);
        EXPECT_LT(std::max(start, end) / std::min(start, end), 3.0);
        const auto [low, high] = std::minmax_element(x.begin(), x.end());
        EXPECT_LT(std::max(-*low, *high), 1.0f);
        for (long second = 0; second + 44100 <= n; second += 44100) {
            EXPECT_GT(rmsOf(x, second, 44100), 0.01) << "at " << second / 44100 << " s";
        }
    }
}
