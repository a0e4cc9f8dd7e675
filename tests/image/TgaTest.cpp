#include "TestSupport.h"

using namespace pictures;

namespace {

using Pixels = std::vector<std::uint32_t>;

constexpr std::uint8_t kTopDown = 0x20;

// File rows for a pattern, top row first when topDown, else bottom row first: 5-5-5 words, blue,
// green, red, or those and an alpha byte that is dropped.
Bytes tgaRows(int width, int height, int depth, bool topDown)
{
    Bytes out;
    for (int i = 0; i < height * width; ++i) {
        const std::uint32_t c = patternColor(i % width, topDown ? i / width : height - 1 - i / width);
        const std::uint32_t v =
            depth == 16 ? (c >> 9 & 0x7C00) | (c >> 6 & 0x3E0) | (c >> 3 & 0x1F) : c | 0x5A000000;
        for (int b = 0; b < depth / 8; ++b)
            out.push_back(std::uint8_t(v >> 8 * b));
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
            STgaLayout layout{.imageType = 2, .width = width, .height = height, .pixelDepth = std::uint8_t(depth),
                         .descriptor = std::uint8_t(topDown ? kTopDown : 0), .pixelData = raw};
            EXPECT_EQ(decodeAndRender(makeTga(layout)), expected) << "raw, depth " << depth << " topDown " << topDown;
            layout.imageType = 10;
            layout.pixelData = encodeTgaRle(raw, std::size_t(depth / 8));
            EXPECT_EQ(decodeAndRender(makeTga(layout)), expected) << "RLE, depth " << depth << " topDown " << topDown;
        }
    }
}

struct SDecodes {
    const char* what;
    Bytes file;
    Pixels pixels;
};

// One row of 8-bit indexes through a colour map of `entryBits` bits whose first entry is `first`.
Bytes mapped(std::uint8_t imageType, std::uint8_t entryBits, const Bytes& map, const Bytes& indexes, std::uint16_t first = 0)
{
    return makeTga({.colorMapType = 1, .imageType = imageType, .colorMapFirst = first,
                    .colorMapLength = std::uint16_t(map.size() / ((entryBits + 7) / 8)), .colorMapEntryBits = entryBits,
                    .width = std::uint16_t(indexes.size()), .height = 1, .pixelDepth = 8, .colorMap = map,
                    .pixelData = imageType == 9 ? encodeTgaRle(indexes, 1) : indexes});
}

TEST(TgaDecoder, DecodesEachVariantToItsPixels)
{
    const Bytes map24{0, 0, 0, 10, 20, 30, 20, 40, 60, 30, 60, 90};
    const Bytes indexes{3, 2, 1, 0, 7}; // index 7 has no entry: black
    const Bytes map16{0, 0, 0x81, 0x20, 0x02, 0x41, 0x83, 0x61}; // red 8i, green 4i, blue i of 31
    const Pixels mapped16{0xC06018, 0x804010, 0x402008, 0, 0};
    const SDecodes cases[] = {
        {"16 bits with only red bits (and bit 15) is pure red",
         makeTga({.width = 1, .height = 1, .pixelDepth = 16, .pixelData = {0x00, 0xFC}}), {0xF80000}},
        {"24-bit map", mapped(1, 24, map24, indexes), {0x5A3C1E, 0x3C2814, 0x1E140A, 0, 0}},
        {"15-bit map", mapped(1, 15, map16, indexes), mapped16},
        {"16-bit map, run-length coded", mapped(9, 16, map16, indexes), mapped16},
        {"a map from its first index 2 on", mapped(1, 24, {1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4}, {0, 1, 2, 3}, 2),
         {0, 0, 0x010101, 0x020202}},
        {"32-bit map entries drop their alpha", mapped(1, 32, {1, 2, 3, 0xFF, 4, 5, 6, 0}, {1, 0}), {0x060504, 0x030201}},
        {"grey", makeTga({.imageType = 3, .width = 3, .height = 1, .pixelDepth = 8, .pixelData = {0, 128, 255}}),
         {0, 0x808080, 0xFFFFFF}},
        {"grey, run-length coded",
         makeTga({.imageType = 11, .width = 3, .height = 1, .pixelDepth = 8, .pixelData = encodeTgaRle({0, 128, 255}, 1)}),
         {0, 0x808080, 0xFFFFFF}},
        {"id field and colour map skipped for true colour",
         makeTga({.id = Bytes(9, 'x'), .colorMapType = 1, .imageType = 2, .colorMapLength = 3, .colorMapEntryBits = 24,
                  .width = 2, .height = 2, .pixelDepth = 24, .descriptor = kTopDown, .colorMap = Bytes(9, 0x77),
                  .pixelData = tgaRows(2, 2, 24, true)}),
         expectedPixels(2, 2, patternColor)},
        // 3 x 2: a run of 4 crosses the first row's end; the raw packet says 3 but only 2 fit.
        {"packets cross rows and stop at the last pixel",
         makeTga({.imageType = 10, .width = 3, .height = 2, .pixelDepth = 24, .descriptor = kTopDown,
                  .pixelData = {0x83, 9, 8, 7, 0x02, 1, 1, 1, 2, 2, 2}}),
         {0x070809, 0x070809, 0x070809, 0x070809, 0x010101, 0x020202}},
        {"a run longer than the picture",
         makeTga({.imageType = 10, .width = 2, .height = 1, .pixelDepth = 24, .pixelData = {0xFF, 1, 2, 3}}),
         {0x030201, 0x030201}},
    };
    for (const SDecodes& c : cases)
        EXPECT_EQ(decodeAndRender(c.file), c.pixels) << c.what;
}

TEST(TgaDecoder, RefusesUnsupportedAndShortFiles)
{
    // Without a footer the file ends right after the data, so every cut is felt.
    const Bytes raw = makeTga({.width = 4, .height = 4, .pixelData = tgaRows(4, 4, 24, false), .footer = false});
    const Bytes rle = makeTga({.imageType = 10, .width = 4, .height = 4,
                               .pixelData = encodeTgaRle(tgaRows(4, 4, 24, false), 3), .footer = false});
    ASSERT_TRUE(load(raw, EImageType::TGA));
    ASSERT_TRUE(load(rle, EImageType::TGA));
    const Bytes depth15 = makeTga({.width = 1, .height = 1, .pixelDepth = 15, .pixelData = {1, 2}});
    EXPECT_EQ(CDXImage::DetectType(depth15), EImageType::None);
    std::vector<std::pair<std::string, Bytes>> refused{
        {"depth 15", depth15},
        {"width 0", makeTga({.width = 0, .height = 1, .pixelData = {1, 2, 3}})},
        {"wider than the limit", makeTga({.width = kMaxImageSide + 1, .height = 1, .pixelData = {1, 2, 3}})},
        {"raw data one byte short", Bytes(raw.begin(), raw.end() - 1)},
        {"run-length data one byte short", Bytes(rle.begin(), rle.end() - 1)},
        {"a huge picture from a few bytes",
         makeTga({.imageType = 10, .width = 16384, .height = 16384, .pixelData = {0xFF, 1, 2, 3}})},
        {"a colour map longer than the file",
         makeTga({.colorMapType = 1, .imageType = 1, .colorMapLength = 200, .colorMapEntryBits = 24, .width = 1,
                  .height = 1, .pixelDepth = 8, .colorMap = Bytes(30, 1), .pixelData = {0}, .footer = false})},
        {"a header one byte short", Bytes(raw.begin(), raw.begin() + 17)},
    };
    for (std::uint8_t type : {0, 4, 32, 33, 12})
        refused.push_back({"type " + std::to_string(type),
                           makeTga({.imageType = type, .width = 1, .height = 1, .pixelDepth = 24, .pixelData = {1, 2, 3}})});
    for (const auto& [what, file] : refused)
        EXPECT_FALSE(load(file, EImageType::TGA)) << what;
}

} // namespace
