#include "FixtureFiles.h"
#include "TestSupport.h"

#include <cstdlib>

using namespace pictures;

namespace {

// The JPEG fixtures' references were read with libjpeg, which decodes them on Linux; another
// system's decoder may round a channel a little differently.
#ifdef PICTURES_CAN_ENCODE_JPEG
constexpr int kJpegTolerance = 0;
#else
constexpr int kJpegTolerance = 3;
#endif

// Windows' own picture service fills in the halved colour resolution between samples otherwise
// than libjpeg, by more than a rounding at sharp edges: there the pictures agree on average.
#ifdef _WIN32
constexpr int kJpegMeanDifferenceHundredths = 400;
#else
constexpr int kJpegMeanDifferenceHundredths = 0;
#endif

// The mean difference of the colour channels, in hundredths.
int meanDifference(const std::vector<std::uint32_t>& pixels, const std::vector<std::uint32_t>& reference)
{
    long long sum = 0;
    for (std::size_t i = 0; i < pixels.size(); ++i)
        for (int shift = 0; shift < 24; shift += 8)
            sum += std::abs(int((pixels[i] >> shift) & 0xFF) - int((reference[i] >> shift) & 0xFF));
    return int(sum * 100 / (long long)(pixels.size() * 3));
}

bool sameColour(std::uint32_t got, std::uint32_t want, int tolerance)
{
    for (int shift = 0; shift < 24; shift += 8) {
        const int difference = int((got >> shift) & 0xFF) - int((want >> shift) & 0xFF);
        if (difference > tolerance || difference < -tolerance)
            return false;
    }
    return true;
}

// Files written by another program decode to exactly what that program reads from them.
TEST(Fixtures, DecodeLikeAnIndependentReader)
{
    for (const std::string& name : fixtureNames()) {
        const std::optional<PpmPicture> reference = parsePpm(readBytes(fixturePath(name + ".ppm")));
        ASSERT_TRUE(reference) << name;
        const SDecodeResult result = CDXImage{}.LoadFromFile(fixturePath(name));
        ASSERT_TRUE(result) << name << ": " << result.reason;
        ASSERT_EQ(result.dib->width(), reference->width) << name;
        ASSERT_EQ(result.dib->height(), reference->height) << name;
        const std::vector<std::uint32_t> pixels = render(*result.dib);
        if (kJpegMeanDifferenceHundredths > 0 && name.ends_with(".jpg")) {
            EXPECT_LE(meanDifference(pixels, reference->pixels), kJpegMeanDifferenceHundredths) << name;
            continue;
        }
        const int tolerance = name.ends_with(".jpg") ? kJpegTolerance : 0;
        for (std::size_t i = 0; i < pixels.size(); ++i)
            ASSERT_TRUE(sameColour(pixels[i], reference->pixels[i], tolerance))
                << name << " differs first at x " << i % reference->width << ", y " << i / reference->width
                << ": " << (pixels[i] & 0xFFFFFF) << " for " << reference->pixels[i];
    }
}

} // namespace
