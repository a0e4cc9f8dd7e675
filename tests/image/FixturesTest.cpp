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

// Files written by another program decode to exactly what that program reads from them.
TEST(Fixtures, DecodeLikeAnIndependentReader)
{
    for (const std::string name : kFixtureNames) {
        const std::optional<PpmPicture> reference = parsePpm(readBytes(fixturePath(name + ".ppm")));
        ASSERT_TRUE(reference) << name;
        const SDecodeResult result = CDXImage{}.LoadFromFile(fixturePath(name));
        ASSERT_TRUE(result) << name << ": " << result.reason;
        ASSERT_EQ(result.dib->width(), reference->width) << name;
        ASSERT_EQ(result.dib->height(), reference->height) << name;
        const std::vector<std::uint32_t> pixels = render(*result.dib);
        std::size_t sum = 0;
        std::pair<int, std::size_t> worst{0, 0}; // the largest channel difference and where
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            for (int shift = 0; shift < 24; shift += 8) {
                const int difference =
                    std::abs(int((pixels[i] >> shift) & 0xFF) - int((reference->pixels[i] >> shift) & 0xFF));
                sum += std::size_t(difference);
                worst = std::max(worst, std::pair{difference, i});
            }
        }
        const bool jpeg = name.ends_with(".jpg");
        if (jpeg && kJpegMeanDifferenceHundredths > 0) {
            EXPECT_LE(sum * 100 / (pixels.size() * 3), std::size_t(kJpegMeanDifferenceHundredths)) << name;
        } else {
            EXPECT_LE(worst.first, jpeg ? kJpegTolerance : 0)
                << name << " differs most at x " << worst.second % std::size_t(reference->width) << ", y "
                << worst.second / std::size_t(reference->width);
        }
    }
}

} // namespace
