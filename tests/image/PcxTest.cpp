#include "TestSupport.h"

using namespace pictures;

namespace {

using Pixels = std::vector<std::uint32_t>;

Bytes greyPalette()
{
    Bytes palette;
    for (int i = 0; i < 256; ++i)
        append(palette, {std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i / 2)});
    return palette;
}

std::uint32_t paletteColor(std::uint8_t i)
{
    return std::uint32_t(i) << 16 | std::uint32_t(255 - i) << 8 | std::uint32_t(i / 2);
}

// Bytes with both top bits set (200, 0xC5) need a run of 1; runs of 7 stand between stretches of 14.
std::uint8_t indexAt(int x, int y, int plane)
{
    return std::uint8_t(x < 2               ? 200
                        : (x + y) % 17 == 0 ? 0xC5
                        : (x / 7) % 3 == 0  ? 0x30
                                            : x * 31 + y * 7 + plane * 50);
}

// An 8-bit picture whose lines are bytesPerLine long; indexes run across all planes.
SPcxLayout indexedLayout(int width, int height, int bytesPerLine, std::uint8_t planes)
{
    SPcxLayout layout{.planes = planes, .xMax = std::int16_t(width - 1), .yMax = std::int16_t(height - 1),
                 .bytesPerLine = std::int16_t(bytesPerLine)};
    for (int y = 0; y < height; ++y) {
        for (int p = 0; p < planes; ++p) {
            Bytes line(bytesPerLine, 0x99);
            for (int x = 0; x < width; ++x)
                line[x] = indexAt(x, y, p);
            encodePcxLine(line.data(), line.size(), layout.pixelData);
        }
    }
    return layout;
}

// The palette counts only behind its marker; without it the picture is black. The window's
// origin need not be zero.
TEST(PcxDecoder, EightBitsWithAndWithoutThePaletteAndThreePlanes)
{
    SPcxLayout layout = indexedLayout(5, 3, 6, 1);
    layout.palette = greyPalette();
    const SDecodeResult result = load(makePcx(layout));
    ASSERT_TRUE(result) << result.reason;
    EXPECT_TRUE(result.dib->topDown());
    EXPECT_EQ(render(*result.dib), expectedPixels(5, 3, [](int x, int y) { return paletteColor(indexAt(x, y, 0)); }));
    layout.paletteMarker = 0x0B;
    EXPECT_EQ(decodeAndRender(makePcx(layout)), Pixels(15, 0));
    layout.palette.clear();
    EXPECT_EQ(decodeAndRender(makePcx(layout)), Pixels(15, 0));

    SPcxLayout planes = indexedLayout(3, 2, 4, 3);
    planes.xMin = -5, planes.xMax = -3, planes.yMin = 100, planes.yMax = 101;
    EXPECT_EQ(decodeAndRender(makePcx(planes)), expectedPixels(3, 2, [](int x, int y) {
                  return std::uint32_t(indexAt(x, y, 0)) << 16 | std::uint32_t(indexAt(x, y, 1)) << 8 | indexAt(x, y, 2);
              }));
}

TEST(PcxDecoder, RefusesUnsupportedLayoutsAndShortFiles)
{
    const auto refused = [](const SPcxLayout& layout) { return !load(makePcx(layout)); };
    const Bytes data(64, 1);
    EXPECT_TRUE(refused({.bitsPerPixel = 1, .planes = 4, .xMax = 7, .bytesPerLine = 1, .pixelData = data}));
    EXPECT_TRUE(refused({.bitsPerPixel = 8, .planes = 4, .xMax = 1, .bytesPerLine = 2, .pixelData = data}));
    EXPECT_TRUE(refused({.bitsPerPixel = 8, .planes = 2, .xMax = 1, .bytesPerLine = 2, .pixelData = data}));
    EXPECT_TRUE(refused({.xMin = 5, .xMax = 4, .bytesPerLine = 2, .pixelData = data})) << "empty";
    EXPECT_TRUE(refused({.xMax = 3, .bytesPerLine = 2, .pixelData = data})) << "lines shorter than the width";
    EXPECT_TRUE(refused({.xMax = 1, .bytesPerLine = -2, .pixelData = data}));
    EXPECT_TRUE(refused({.xMax = 16384, .bytesPerLine = 16386, .pixelData = data})) << "wider than the limit";
    EXPECT_TRUE(refused({.xMax = 100, .yMax = 16000, .bytesPerLine = 102, .pixelData = data})) << "data cannot hold it";
    // 2 × 2, one plane of 2 bytes a line: a run of 3 would spill into the next line.
    EXPECT_TRUE(refused({.xMax = 1, .yMax = 1, .bytesPerLine = 2, .pixelData = {0xC3, 5, 0xC1, 5}}));
    EXPECT_FALSE(refused({.xMax = 1, .yMax = 1, .bytesPerLine = 2, .pixelData = {0xC2, 5, 0xC2, 6}}));

    const Bytes whole = makePcx(indexedLayout(5, 3, 6, 3));
    EXPECT_TRUE(load(whole));
    EXPECT_FALSE(load(Bytes(whole.begin(), whole.end() - 1)));
    EXPECT_FALSE(load(Bytes(whole.begin(), whole.begin() + 127), EImageType::PCX));
}

// Long lines take the sixteen-byte literal path; runs and run-coded literals at every offset.
TEST(PcxDecoder, LongLinesMixingLiteralsAndRuns)
{
    SPcxLayout layout = indexedLayout(90, 4, 90, 1);
    layout.palette = greyPalette();
    EXPECT_EQ(decodeAndRender(makePcx(layout)),
              expectedPixels(90, 4, [](int x, int y) { return paletteColor(indexAt(x, y, 0)); }));
}

} // namespace
