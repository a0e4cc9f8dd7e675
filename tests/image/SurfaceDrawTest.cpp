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
    for (const std::string& name : fixtureNames())
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
}

TEST(LoadIntoSurface, RefusalsComeBeforeAskingForASurfaceWhereTheHeaderTellsThem)
{
    for (const Bytes& file : {Bytes(40, 0), makeTga({.imageType = 4, .pixelData = {1, 2, 3}}),
                              encodeJpeg(Bytes(3, 0), 1, 1, 3)}) {
        Bytes broken = file;
        if (CDXImage::DetectType(file) == EImageType::JPEG)
            broken.resize(40); // header cut: libjpeg fails before the size is known
        Surface surface;
        const SDrawResult result = CDXImage{}.LoadIntoSurface(broken, surface.provider(ESurfaceFormat::Bgrx32));
        EXPECT_FALSE(result);
        EXPECT_FALSE(result.reason.empty());
        EXPECT_EQ(surface.calls, 0);
    }
}

TEST(LoadIntoSurface, NoSurfaceOrTooSmallASurfaceIsARefusal)
{
    for (const std::string name : {"jpeg.jpg", "bmp24.bmp"}) {
        const Bytes file = readBytes(fixturePath(name));
        const auto none = [](std::int32_t, std::int32_t) { return std::optional<SSurfaceTarget>(); };
        EXPECT_FALSE(CDXImage{}.LoadIntoSurface(file, none)) << name;
        std::vector<std::uint8_t> small(100);
        const auto tooSmall = [&](std::int32_t w, std::int32_t) {
            return std::optional<SSurfaceTarget>(SSurfaceTarget{small, std::size_t(w) * 4, ESurfaceFormat::Bgrx32});
        };
        EXPECT_FALSE(CDXImage{}.LoadIntoSurface(file, tooSmall)) << name;
    }
}

TEST(LoadIntoSurface, JpegDamagedAfterItsHeaderIsRefused)
{
    const Bytes file = encodeJpeg(scenePixels(64, 64), 64, 64, 3);
    Surface surface;
    const SDrawResult result = CDXImage{}.LoadIntoSurface(Bytes(file.begin(), file.begin() + file.size() * 2 / 3),
                                                          surface.provider(ESurfaceFormat::Bgr24));
    EXPECT_FALSE(result);
    EXPECT_EQ(surface.calls, 1);
}

TEST(LoadIntoSurface, FromAFile)
{
    Surface surface;
    ASSERT_TRUE(CDXImage{}.LoadFileIntoSurface(fixturePath("pcx8.pcx"), surface.provider(ESurfaceFormat::Bgrx32)));
    const std::optional<PpmPicture> reference = parsePpm(readBytes(fixturePath("pcx8.pcx.ppm")));
    const std::uint8_t* last = surface.pixels.data() + surface.pitch * std::size_t(reference->height - 1);
    const std::uint32_t lastPixel = reference->pixels.back();
    const std::size_t x = std::size_t(reference->width - 1) * 4;
    EXPECT_EQ(std::uint32_t(last[x] | last[x + 1] << 8 | last[x + 2] << 16), lastPixel);
    EXPECT_FALSE(CDXImage{}.LoadFileIntoSurface(fixturePath("missing.pcx"), surface.provider(ESurfaceFormat::Bgrx32)));
}

} // namespace
