#include "TestSupport.h"

using namespace pictures;

namespace {

using Pixels = std::vector<std::uint32_t>;

constexpr std::uint8_t kTopDown = 0x20;

// Raw pixel bytes of a depth for a colour 0x00RRGGBB, as a Targa file stores them.
Bytes tgaPixel(std::uint32_t c, int depth)
{
    const std::uint8_t b = std::uint8_t(c), g = std::uint8_t(c >> 8), r = std::uint8_t(c >> 16);
    switch (depth) {
    case 16: {
        const std::uint32_t w = (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3);
        return {std::uint8_t(w), std::uint8_t(w >> 8)};
    }
    case 24: return {b, g, r};
    default: return {b, g, r, 0x5A}; // alpha, dropped
    }
}

// File rows for a pattern, top row first when topDown, else bottom row first.
Bytes tgaRows(int width, int height, int depth, bool topDown)
{
    Bytes out;
    for (int i = 0; i < height; ++i) {
        const int y = topDown ? i : height - 1 - i;
        for (int x = 0; x < width; ++x)
            append(out, tgaPixel(patternColor(x, y), depth));
    }
    return out;
}

TEST(TgaDecoder, TrueColourDepthsInBothRowOrdersAndBothCodings)
{
    const int width = 5, height = 3;
    for (int depth : {16, 24, 32}) {
        const Pixels expected = expectedPixels(width, height, [&](int x, int y) {
            return depth == 16 ? patternColor(x, y) & 0xF8F8F8 : patternColor(x, y); // 5-bit channels times 8
        });
        for (bool topDown : {false, true}) {
            const Bytes raw = tgaRows(width, height, depth, topDown);
            TgaSpec layout{.imageType = 2, .width = width, .height = height, .pixelDepth = std::uint8_t(depth),
                         .descriptor = std::uint8_t(topDown ? kTopDown : 0), .pixelData = raw};
            EXPECT_EQ(decodeAndRender(makeTga(layout)), expected) << "raw, depth " << depth << " topDown " << topDown;
            layout.imageType = 10;
            layout.pixelData = encodeTgaRle(raw, std::size_t(depth / 8));
            EXPECT_EQ(decodeAndRender(makeTga(layout)), expected) << "RLE, depth " << depth << " topDown " << topDown;
        }
    }
}

TEST(TgaDecoder, SixteenBitsWithOnlyRedBitsIsPureRed)
{
    const Bytes file = makeTga({.width = 1, .height = 1, .pixelDepth = 16, .pixelData = {0x00, 0xFC}}); // bit 15 set too
    EXPECT_EQ(decodeAndRender(file), (Pixels{0xF80000}));
}

TEST(TgaDecoder, ColourMappedPicturesWithSixteenAndTwentyFourBitMaps)
{
    Bytes map24, map16;
    for (std::uint32_t i = 0; i < 4; ++i) {
        append(map24, {std::uint8_t(i * 10), std::uint8_t(i * 20), std::uint8_t(i * 30)});
        const std::uint32_t w = (i * 8) << 10 | (i * 4) << 5 | i; // red 8i, green 4i, blue i (5-bit)
        append(map16, {std::uint8_t(w), std::uint8_t(w >> 8)});
    }
    const Bytes indexes{3, 2, 1, 0, 7};
    TgaSpec layout{.colorMapType = 1, .imageType = 1, .colorMapLength = 4, .colorMapEntryBits = 24, .width = 5,
                 .height = 1, .pixelDepth = 8, .colorMap = map24, .pixelData = indexes};
    EXPECT_EQ(decodeAndRender(makeTga(layout)), (Pixels{0x5A3C1E, 0x3C2814, 0x1E140A, 0, 0})) << "index 7 has no entry";
    layout.colorMapEntryBits = 15;
    layout.colorMap = map16;
    EXPECT_EQ(decodeAndRender(makeTga(layout)), (Pixels{0xC06018, 0x804010, 0x402008, 0, 0}));
    layout.colorMapEntryBits = 16;
    layout.imageType = 9;
    layout.pixelData = encodeTgaRle(indexes, 1);
    EXPECT_EQ(decodeAndRender(makeTga(layout)), (Pixels{0xC06018, 0x804010, 0x402008, 0, 0}));
}

TEST(TgaDecoder, ColourMapEntriesAreStoredFromItsFirstIndex)
{
    // First index 2, length 4: the map's first two entries land at 2 and 3.
    const Bytes map{1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4};
    const Bytes file = makeTga({.colorMapType = 1, .imageType = 1, .colorMapFirst = 2, .colorMapLength = 4,
                                .colorMapEntryBits = 24, .width = 4, .height = 1, .pixelDepth = 8,
                                .colorMap = map, .pixelData = {0, 1, 2, 3}});
    EXPECT_EQ(decodeAndRender(file), (Pixels{0, 0, 0x010101, 0x020202}));
}

TEST(TgaDecoder, ThirtyTwoBitColourMapEntriesDropTheirAlpha)
{
    const Bytes file = makeTga({.colorMapType = 1, .imageType = 1, .colorMapLength = 2, .colorMapEntryBits = 32,
                                .width = 2, .height = 1, .pixelDepth = 8, .colorMap = {1, 2, 3, 0xFF, 4, 5, 6, 0},
                                .pixelData = {1, 0}});
    EXPECT_EQ(decodeAndRender(file), (Pixels{0x060504, 0x030201}));
}

TEST(TgaDecoder, EightBitsWithoutAColourMapIsGrey)
{
    for (std::uint8_t type : {3, 11}) {
        const Bytes indexes{0, 128, 255};
        const Bytes data = type == 3 ? indexes : encodeTgaRle(indexes, 1);
        const Bytes file = makeTga({.imageType = type, .width = 3, .height = 1, .pixelDepth = 8, .pixelData = data});
        EXPECT_EQ(decodeAndRender(file), (Pixels{0, 0x808080, 0xFFFFFF})) << "type " << int(type);
    }
}

TEST(TgaDecoder, IdFieldAndColourMapAreSkippedForTrueColour)
{
    const Bytes file = makeTga({.id = Bytes(9, 'x'), .colorMapType = 1, .imageType = 2, .colorMapLength = 3,
                                .colorMapEntryBits = 24, .width = 2, .height = 2, .pixelDepth = 24,
                                .descriptor = kTopDown, .colorMap = Bytes(9, 0x77), .pixelData = tgaRows(2, 2, 24, true)});
    EXPECT_EQ(decodeAndRender(file), expectedPixels(2, 2, patternColor));
}

TEST(TgaDecoder, RunLengthPacketsCrossRowsAndStopAtTheLastPixel)
{
    // 3 × 2: one run of 4 crosses the first row's end; the raw packet says 3 but only 2 fit.
    const Bytes data{0x83, 9, 8, 7, 0x02, 1, 1, 1, 2, 2, 2, 3, 3, 3};
    const Bytes file = makeTga({.imageType = 10, .width = 3, .height = 2, .pixelDepth = 24, .descriptor = kTopDown,
                                .pixelData = Bytes(data.begin(), data.end() - 3)}); // the third pixel is not in the file
    EXPECT_EQ(decodeAndRender(file), (Pixels{0x070809, 0x070809, 0x070809, 0x070809, 0x010101, 0x020202}));
    const Bytes longRun = makeTga({.imageType = 10, .width = 2, .height = 1, .pixelDepth = 24, .pixelData = {0xFF, 1, 2, 3}});
    EXPECT_EQ(decodeAndRender(longRun), (Pixels{0x030201, 0x030201}));
}

TEST(TgaDecoder, RefusesUnsupportedTypesAndDepths)
{
    for (std::uint8_t type : {0, 4, 32, 33, 12}) {
        const Bytes file = makeTga({.imageType = type, .width = 1, .height = 1, .pixelDepth = 24, .pixelData = {1, 2, 3}});
        EXPECT_FALSE(load(file)) << "type " << int(type);
    }
    const Bytes depth15 = makeTga({.width = 1, .height = 1, .pixelDepth = 15, .pixelData = {1, 2}});
    EXPECT_EQ(CDXImage::DetectType(depth15), EImageType::None);
    EXPECT_FALSE(load(depth15, EImageType::TGA));
    EXPECT_FALSE(load(makeTga({.width = 0, .height = 1, .pixelData = {1, 2, 3}})));
    EXPECT_FALSE(load(makeTga({.width = kMaxImageSide + 1, .height = 1, .pixelData = {1, 2, 3}})));
}

TEST(TgaDecoder, RefusesFilesTooShortForWhatTheyDeclare)
{
    // Without a footer the file ends right after the data, so every cut is felt.
    const Bytes raw = makeTga({.width = 4, .height = 4, .pixelData = tgaRows(4, 4, 24, false), .footer = false});
    EXPECT_TRUE(load(raw, EImageType::TGA));
    EXPECT_FALSE(load(Bytes(raw.begin(), raw.end() - 1), EImageType::TGA));
    const Bytes rle = makeTga({.imageType = 10, .width = 4, .height = 4,
                               .pixelData = encodeTgaRle(tgaRows(4, 4, 24, false), 3), .footer = false});
    EXPECT_TRUE(load(rle, EImageType::TGA));
    EXPECT_FALSE(load(Bytes(rle.begin(), rle.end() - 1), EImageType::TGA));
    const Bytes bigRle = makeTga({.imageType = 10, .width = 16384, .height = 16384, .pixelData = {0xFF, 1, 2, 3}});
    EXPECT_FALSE(load(bigRle)) << "a huge picture from a few bytes";
    const Bytes map = makeTga({.colorMapType = 1, .imageType = 1, .colorMapLength = 200, .colorMapEntryBits = 24,
                               .width = 1, .height = 1, .pixelDepth = 8, .colorMap = Bytes(30, 1), .pixelData = {0}, .footer = false});
    EXPECT_FALSE(load(map, EImageType::TGA));
    EXPECT_FALSE(load(Bytes(raw.begin(), raw.begin() + 17), EImageType::TGA));
}

} // namespace
