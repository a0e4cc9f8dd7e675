#include "FixtureFiles.h"
#include "TestSupport.h"

using namespace pictures;

namespace {

// Files written by another program decode to exactly what that program reads from them.
TEST(Fixtures, DecodeLikeAnIndependentReader)
{
    for (const std::string& name : fixtureNames()) {
        const std::optional<PpmPicture> reference = parsePpm(readBytes(fixturePath(name + ".ppm")));
        ASSERT_TRUE(reference) << name;
        const CDecodeResult result = CDXImage{}.LoadFromFile(fixturePath(name));
        ASSERT_TRUE(result) << name << ": " << result.reason;
        ASSERT_EQ(result.dib->width(), reference->width) << name;
        ASSERT_EQ(result.dib->height(), reference->height) << name;
        const std::vector<std::uint32_t> pixels = render(*result.dib);
        for (std::size_t i = 0; i < pixels.size(); ++i)
            ASSERT_EQ(pixels[i] & 0xFFFFFF, reference->pixels[i])
                << name << " differs first at x " << i % reference->width << ", y " << i / reference->width;
    }
}

} // namespace
