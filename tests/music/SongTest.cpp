// The song as the build made it: taken out of resource.dat the way the program does, decoded,
// and checked for its length and for a loop point that does not click.
#include "OggDecoding.h"
#include "TestPackages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

class SongTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { song_ = decodeOgg(testpackages::builtSong()); }
    static void TearDownTestSuite() { song_.reset(); }
    void SetUp() override { ASSERT_TRUE(song_.has_value()) << "no song decoded"; }

    static std::optional<SDecodedSong> song_;
};

std::optional<SDecodedSong> SongTest::song_;

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

// The step from the last sample to the first, and the change of slope there, measured
// against the music around the loop point (a tenth of a second each side): a click is a jump
// far larger than the music itself makes.
void expectSeamless(const std::vector<float>& x, const char* side)
{
    const long n = static_cast<long>(x.size());
    std::vector<double> steps;
    std::vector<double> bends;
    for (long i = -4410; i < 4410; ++i) {
        if (i >= -2 && i <= 0) {
            continue; // the seam itself
        }
        steps.push_back(std::abs(looped(x, i + 1) - looped(x, i)));
        bends.push_back(std::abs(looped(x, i + 1) - 2 * looped(x, i) + looped(x, i - 1)));
    }
    std::sort(steps.begin(), steps.end());
    std::sort(bends.begin(), bends.end());
    const double medianStep = steps[steps.size() / 2];
    const double typicalBend = bends[bends.size() * 99 / 100];
    const double jump = std::abs(x[0] - x[n - 1]);
    const double bend = std::abs((x[0] - x[n - 1]) - (x[n - 1] - x[n - 2]));
    EXPECT_LE(jump, 4 * medianStep) << side << ": last " << x[n - 1] << ", first " << x[0];
    EXPECT_LE(bend, typicalBend) << side << ": slope " << x[n - 1] - x[n - 2] << " then " << x[1] - x[0];
}

} // namespace

TEST_F(SongTest, IsStereoAt44100HertzAndOneToThreeMinutesLong)
{
    EXPECT_EQ(song_->rate, 44100);
    EXPECT_EQ(song_->channels, 2);
    const double seconds = static_cast<double>(song_->left.size()) / song_->rate;
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 180.0);
}

TEST_F(SongTest, EndJoinsItsStartWithoutAClick)
{
    expectSeamless(song_->left, "left");
    expectSeamless(song_->right, "right");
}

TEST_F(SongTest, PlaysOnWithoutAGapOrFadeAtTheLoopPoint)
{
    for (const std::vector<float>* side : {&song_->left, &song_->right}) {
        const long n = static_cast<long>(side->size());
        const double end = rmsOf(*side, n - 22050, 22050);
        const double start = rmsOf(*side, 0, 22050);
        const double whole = rmsOf(*side, 0, n);
        EXPECT_GT(end, whole / 4);
        EXPECT_GT(start, whole / 4);
        EXPECT_LT(std::max(start, end) / std::min(start, end), 3.0);
    }
}

TEST_F(SongTest, HasHeadroomAndSoundsThroughout)
{
    for (const std::vector<float>* side : {&song_->left, &song_->right}) {
        const auto [low, high] = std::minmax_element(side->begin(), side->end());
        EXPECT_LT(std::max(-*low, *high), 1.0f);
        // No stretch of a second is near silence: it is background music, all of it.
        const long n = static_cast<long>(side->size());
        for (long second = 0; second + 44100 <= n; second += 44100) {
            EXPECT_GT(rmsOf(*side, second, 44100), 0.01) << "at " << second / 44100 << " s";
        }
    }
}
