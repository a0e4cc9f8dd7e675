#include "FixtureFiles.h"
#include "TestSupport.h"

using namespace pictures;

namespace {

constexpr ESurfaceFormat kFormats[] = {ESurfaceFormat::Rgb555, ESurfaceFormat::Rgb565, ESurfaceFormat::Bgr24,
                                      ESurfaceFormat::Bgrx32};

// A surface with 5 spare bytes at the end of every row, which must stay as they were.
struct Surface {
    std::vector<std::uint8_t> pixels;
    std::size_t pitch = 0;
    int calls = 0;

    SurfaceProvider provider(ESurfaceFormat format)
    {
        return [this, format](std::int32_t width, std::int32_t height) {
            ++calls;
            pitch = std::size_t(width) * bytesPerPixel(format) + 5;
            pixels.assign(pitch * std::size_t(height), 0xAB);
            return std::optional<SSurfaceTarget>(SSurfaceTarget{pixels, pitch, format});
        };
    }
};

// Drawing straight into a surface gives exactly what converting the decoded bitmap gives.
TEST(LoadIntoSurface, MatchesDecodingThenConverting)
{
    std::vector<Bytes> files;
    for (const char* name : kFixtureNames)
        files.push_back(readBytes(fixturePath(name)));
    files.push_back(encodeJpeg(scenePixels(37, 35), 37, 35, 3, 80)); // rows in batches of 16, 16 and 3
    for (const Bytes& file : files) {
        const SDecodeResult decoded = load(file);
        ASSERT_TRUE(decoded) << decoded.reason;
        for (ESurfaceFormat format : kFormats) {
            Surface viaDib;
            ASSERT_TRUE(DrawDib(*decoded.dib, viaDib.provider(format)));
            Surface direct;
            const SDrawResult drawn = CDXImage{}.LoadIntoSurface(file, direct.provider(format));
            ASSERT_TRUE(drawn) << drawn.reason;
            EXPECT_EQ(direct.calls, 1);
            EXPECT_EQ(direct.pixels, viaDib.pixels) << "format " << int(format) << ", type " << int(CDXImage::DetectType(file));
        }
    }
    Surface fromFile, fromMemory;
    ASSERT_TRUE(CDXImage{}.LoadFileIntoSurface(fixturePath("pcx8.pcx"), fromFile.provider(ESurfaceFormat::Bgrx32)));
    ASSERT_TRUE(CDXImage{}.LoadIntoSurface(readBytes(fixturePath("pcx8.pcx")), fromMemory.provider(ESurfaceFormat::Bgrx32)));
    EXPECT_EQ(fromFile.pixels, fromMemory.pixels);
}

// Where the header tells a refusal, it comes before a surface is asked for; no surface, too
// small a surface or damage after the header is a refusal too.
TEST(LoadIntoSurface, RefusalsAndWhenTheyCome)
{
    const Bytes jpeg = encodeJpeg(scenePixels(64, 64), 64, 64, 3);
    const std::pair<Bytes, int> broken[] = {
        {Bytes(40, 0), 0}, {makeTga({.imageType = 4, .pixelData = {1, 2, 3}}), 0},
        {Bytes(jpeg.begin(), jpeg.begin() + 40), 0}, // header cut: libjpeg fails before the size is known
        {Bytes(jpeg.begin(), jpeg.begin() + std::ptrdiff_t(jpeg.size() * 2 / 3)), 1}};
    for (const auto& [file, calls] : broken) {
        Surface surface;
        const SDrawResult result = CDXImage{}.LoadIntoSurface(file, surface.provider(ESurfaceFormat::Bgr24));
        EXPECT_FALSE(result.reason.empty());
        EXPECT_EQ(surface.calls, calls);
    }
    std::vector<std::uint8_t> small(100);
    const auto none = [](std::int32_t, std::int32_t) { return std::optional<SSurfaceTarget>(); };
    const auto tooSmall = [&](std::int32_t w, std::int32_t) {
        return std::optional<SSurfaceTarget>(SSurfaceTarget{small, std::size_t(w) * 4, ESurfaceFormat::Bgrx32});
    };
    for (const std::string name : {"jpeg.jpg", "bmp24.bmp"}) {
        EXPECT_FALSE(CDXImage{}.LoadIntoSurface(readBytes(fixturePath(name)), none)) << name;
        EXPECT_FALSE(CDXImage{}.LoadIntoSurface(readBytes(fixturePath(name)), tooSmall)) << name;
    }
    Surface surface;
    EXPECT_FALSE(CDXImage{}.LoadFileIntoSurface(fixturePath("missing.pcx"), surface.provider(ESurfaceFormat::Bgrx32)));
}

} // namespace
