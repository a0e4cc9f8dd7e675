// The generator's building blocks, where a fault would spoil many pictures at once: the BMP
// and JPEG writers, the run-length coder, the colour reduction and key handling, seamless noise,
// text wrapping and the hard-edged cut-out of painted layers.
#include "PictureFile.h"
#include "pictures/Encode.h"
#include "pictures/Layer.h"
#include "pictures/Noise.h"
#include "pictures/Text.h"

#include <gtest/gtest.h>

namespace assettest {
namespace {

using namespace assetgen;

SImage8 makeImage(int w, int h, uint32_t seed, int palette)
{
    SImage8 img{w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h * 3)};
    CRandom rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            // Runs of equal pixels mixed with single ones, so both codings are exercised.
            const uint32_t v = rng.next();
            const int c = (v & 3) == 0 && x > 0 ? -1 : static_cast<int>(v >> 8) % palette;
            img.setPixel(x, y, c < 0 ? img.pixel(x - 1, y) : std::array<uint8_t, 3>{uint8_t(c * 37), uint8_t(c * 11), uint8_t(255 - c)});
        }
    return img;
}

TEST(BmpWriter, TwentyFourBitRowsArePaddedAndBottomUp)
{
    for (const int width : {1, 2, 3, 4, 5, 77}) {
        const SImage8 img = makeImage(width, 3, 11, 200);
        const std::vector<uint8_t> bytes = encodeBmp24(img);
        std::string why;
        const auto facts = readBmp(bytes, why);
        ASSERT_TRUE(facts) << why << " width " << width;
        const int stride = (width * 3 + 3) & ~3;
        // The top row of the picture is the last row of the file, stored blue, green, red.
        const size_t last = facts->offBits + static_cast<size_t>(stride) * 2;
        EXPECT_EQ(bytes[last + 0], img.pixel(0, 0)[2]);
        EXPECT_EQ(bytes[last + 2], img.pixel(0, 0)[0]);
        EXPECT_EQ(bytes[facts->offBits + 1], img.pixel(0, 2)[1]);
    }
}

TEST(BmpWriter, RunLengthCodingDecodesToTheSamePixels)
{
    for (const int width : {1, 2, 3, 7, 255, 256, 300, 517}) {
        SImage8 img = makeImage(width, 4, 21 + width, 9);
        // One long run of a single colour across the whole second row.
        for (int x = 0; x < width; ++x)
            img.setPixel(x, 1, {1, 2, 3});
        const SIndexedImage indexed = quantize(img, 256);
        const std::vector<uint8_t> rle = encodeBmp8(indexed, true);
        std::string why;
        const auto facts = readBmp(rle, why);
        ASSERT_TRUE(facts) << why;
        const auto rows = decodeRle8(rle, *facts, why);
        ASSERT_TRUE(rows) << why << " width " << width;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ((*rows)[static_cast<size_t>(3 - y) * width + x], indexed.index[static_cast<size_t>(y) * width + x])
                    << "width " << width << " at " << x << "," << y;
        const std::vector<uint8_t> plain = encodeBmp8(indexed, false);
        ASSERT_TRUE(readBmp(plain, why)) << why;
    }
}

TEST(Quantizer, KeepsTheKeyExactAndAlone)
{
    SImage8 img = makeImage(64, 64, 31, 250);
    for (int i = 0; i < 64; ++i)
        img.setPixel(i, i, kKeyColour);
    img.setPixel(5, 0, {252, 3, 250}); // a near-key colour a painter might produce
    const SIndexedImage out = quantize(img, 256);
    ASSERT_LE(out.palette.size(), 256u);
    EXPECT_EQ(out.palette[0], kKeyColour);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            EXPECT_EQ(out.index[static_cast<size_t>(y) * 64 + x] == 0, img.pixel(x, y) == kKeyColour) << x << "," << y;
    for (size_t i = 1; i < out.palette.size(); ++i) {
        const auto& c = out.palette[i];
        EXPECT_FALSE(c[0] >> 3 == 31 && c[1] >> 3 == 0 && c[2] >> 3 == 31) << "entry " << i << " is the key at 15 bits";
    }
}

TEST(Quantizer, FewColoursStayExact)
{
    const SImage8 img = makeImage(40, 30, 41, 12);
    const SIndexedImage out = quantize(img, 256);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            EXPECT_EQ(out.palette[out.index[static_cast<size_t>(y) * 40 + x]], img.pixel(x, y));
}

TEST(KeyedImages, HalfCoveredIsFigureAndNothingElseLooksLikeTheKey)
{
    CCanvas colour(3, 1, rgb8(254, 2, 253));
    CMask alpha(3, 1);
    alpha.at(0, 0) = 0.49f;
    alpha.at(1, 0) = 0.5f;
    alpha.at(2, 0) = 1;
    const SImage8 img = toKeyedImage8(colour, alpha);
    EXPECT_EQ(img.pixel(0, 0), kKeyColour);
    for (const int x : {1, 2}) {
        const auto p = img.pixel(x, 0);
        EXPECT_NE(p[1] >> 2, 0) << "collapses onto the key at 16 bits";
    }
}

TEST(JpegWriter, WritesJfifThatDecodesCloseToTheSource)
{
    SImage8 img{64, 48, std::vector<uint8_t>(64 * 48 * 3)};
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            img.setPixel(x, y, {uint8_t(x * 4), uint8_t(y * 5), 128});
    const std::vector<uint8_t> bytes = encodeJpeg(img, 92);
    std::string why;
    const auto facts = readJpeg(bytes, why);
    ASSERT_TRUE(facts) << why;
    EXPECT_EQ(facts->width, 64);
    const SImage8 back = decodeJpeg(bytes);
    int worst = 0;
    for (size_t i = 0; i < img.rgb.size(); ++i)
        worst = std::max(worst, std::abs(img.rgb[i] - back.rgb[i]));
    EXPECT_LT(worst, 12);
    EXPECT_EQ(bytes, encodeJpeg(img, 92)) << "encoding is not repeatable";
}

TEST(Noise, PeriodicNoiseHasNoSeamAndRandomnessRepeats)
{
    for (float x = 0; x < 3; x += 0.37f)
        for (float y = 0; y < 2; y += 0.29f)
            EXPECT_FLOAT_EQ(periodicFbm(x, y, 3, 7, 3), periodicFbm(x + 3, y, 3, 7, 3));
    CRandom a(5), b(5);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(a.next(), b.next());
    for (float x = -5; x < 5; x += 0.731f) {
        const float v = fbm(x, x * 0.5f, 3, 5);
        EXPECT_GE(v, 0.0f);
        EXPECT_LE(v, 1.0f);
    }
}

TEST(Text, WrappedLinesFitAndKeepEveryWord)
{
    const CFont font(ETypeface::Serif);
    const std::string text = "Schreibe deine Frage in die Schriftrolle am unteren Rand und drücke die Eingabetaste.";
    const std::vector<std::string> lines = font.wrap(text, 19, 260);
    ASSERT_GT(lines.size(), 1u);
    std::string joined;
    for (const std::string& line : lines) {
        EXPECT_LE(font.measure(line, 19), 260.0f) << line;
        joined += (joined.empty() ? "" : " ") + line;
    }
    EXPECT_EQ(joined, text);
    // Umlauts are real glyphs, not empty boxes of no width.
    EXPECT_GT(font.measure("ü", 19), 4.0f);
    const STextMask mask = font.render("Zurück", 20);
    float ink = 0;
    for (int y = 0; y < mask.mask.height(); ++y)
        for (int x = 0; x < mask.mask.width(); ++x)
            ink += mask.mask.at(x, y);
    EXPECT_GT(ink, 60.0f);
}

TEST(Layer, EdgePixelsKeepTheFiguresColour)
{
    CLayer layer(20, 20, 3);
    layer.paint(0, 0, 20, 20, [](SVec2 p) { return sdCircle(p, {10, 10}, 6.3f); }, [](SVec2) { return rgb8(200, 40, 60); });
    const SKeyedPicture out = layer.resolve();
    int partial = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const float a = out.alpha.at(x, y);
            if (a <= 0)
                continue;
            partial += a < 1;
            EXPECT_NEAR(out.colour.at(x, y).r, 200 / 255.0f, 1e-4f);
            EXPECT_NEAR(out.colour.at(x, y).g, 40 / 255.0f, 1e-4f);
        }
    EXPECT_GT(partial, 10);
}

} // namespace
} // namespace assettest
