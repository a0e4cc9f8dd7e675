#include "TestSupport.h"

#include <array>
#include <optional>

using namespace pictures;

namespace {

using Pixels = std::vector<std::uint32_t>;

// 8-bit pictures below use a table where index i is colour (i, 255 - i, 2i).
std::vector<std::uint32_t> rampTable(std::size_t count)
{
    std::vector<std::uint32_t> table;
    for (std::uint32_t i = 0; i < count; ++i)
        table.push_back(i << 16 | (255 - i) << 8 | ((2 * i) & 0xFF));
    return table;
}

// 16-bit pixels are 5-5-5 and widen each channel by repeating its top bits; 32-bit pixels carry
// a fourth byte that is dropped; 8-bit pixels index the ramp table.
TEST(BmpDecoder, PicturesOfOddWidthsKeepTheirRowsApartAtEveryDepth)
{
    const auto table = rampTable(256);
    const auto as555 = [](std::uint32_t c) { return (c >> 9 & 0x7C00) | (c >> 6 & 0x3E0) | (c >> 3 & 0x1F); };
    const auto widen = [](std::uint32_t v) { return v << 3 | v >> 2; };
    for (const std::uint16_t bits : {8, 16, 24, 32}) {
        const auto stored = [&](int x, int y) {
            const std::uint32_t c = patternColor(x, y);
            return bits == 8 ? std::uint32_t(x * 3 + y) : bits == 16 ? as555(c) : c | 0xA5000000;
        };
        const auto shown = [&](int x, int y) {
            const std::uint32_t w = stored(x, y);
            return bits == 8    ? table[w]
                   : bits == 16 ? widen(w >> 10 & 31) << 16 | widen(w >> 5 & 31) << 8 | widen(w & 31)
                                : w & 0xFFFFFF;
        };
        for (int width = 1; width <= 5; ++width)
            EXPECT_EQ(decodeAndRender(makeBmp({.width = width,
                                               .height = 3,
                                               .bitCount = bits,
                                               .colors = bits == 8 ? table : Pixels{},
                                               .pixelData = dibRows(width, 3, bits / 8, stored)})),
                      expectedPixels(width, 3, shown))
                << bits << " bits, width " << width;
    }
}

// Version 2 to 5 information headers (52, 56, 108, 124 bytes) and OS/2's 64-byte one are
// followed by their colour table; the fields of the first 40 bytes sit where they always do.
TEST(BmpDecoder, ColourTableFollowsALongerInformationHeader)
{
    const int width = 5, height = 3;
    const auto index = [](int x, int y) { return std::uint32_t(40 * y + 7 * x + 3); };
    const auto table = rampTable(256);
    const Pixels expected = expectedPixels(width, height, [&](int x, int y) { return table[index(x, y)]; });
    for (const std::uint32_t infoSize : {40u, 52u, 56u, 64u, 108u, 124u}) {
        const Bytes plain = makeBmp({.width = width, .height = height, .bitCount = 8, .colors = table,
                                     .pixelData = dibRows(width, height, 1, index), .infoSize = infoSize});
        EXPECT_EQ(decodeAndRender(plain), expected) << "header of " << infoSize << " bytes";
        const Bytes runs = makeBmp({.width = 2, .height = 1, .bitCount = 8, .compression = 1, .colors = table,
                                    .pixelData = {2, 200, 0, 1}, .infoSize = infoSize});
        EXPECT_EQ(decodeAndRender(runs), (Pixels{table[200], table[200]})) << "run-length, header of " << infoSize;
        // The used-colour count sizes the table; indexes without an entry are black.
        const Bytes few = makeBmp({.width = 3, .height = 1, .bitCount = 8, .clrUsed = 16, .colors = rampTable(16),
                                   .pixelData = {15, 16, 200, 0}, .infoSize = infoSize});
        EXPECT_EQ(decodeAndRender(few), (Pixels{rampTable(16)[15], 0, 0})) << "16 colours, header of " << infoSize;
    }
    // More than 256 used colours: the first 256 are the table.
    const Bytes many = makeBmp({.width = 1, .height = 1, .bitCount = 8, .clrUsed = 1000, .colors = table, .pixelData = {255, 0, 0, 0}});
    EXPECT_EQ(decodeAndRender(many), (Pixels{table[255]}));
}

// A header size that would put the table at or past the pixels is nonsense: the table is then
// read behind the 40 bytes, as for every file before. So are sizes below 40, whose fields are
// not where a 40-byte header has them.
TEST(BmpDecoder, ImplausibleHeaderSizesKeepTheTableAtByte54)
{
    const auto table = rampTable(256);
    for (const std::uint32_t claimed : {0u, 12u, 16u, 39u, 1078u - 14u, 5000u, 0xFFFFFFFFu}) {
        Bytes file = makeBmp({.width = 1, .height = 1, .bitCount = 8, .colors = table, .pixelData = {9, 0, 0, 0}});
        for (int i = 0; i < 4; ++i)
            file[14 + i] = std::uint8_t(claimed >> 8 * i);
        EXPECT_EQ(decodeAndRender(file), (Pixels{table[9]})) << "header said to be " << claimed << " bytes";
    }
    // A long header whose table would run past the end of the file is refused, not read beyond it.
    Bytes cut = makeBmp({.width = 1, .height = 1, .bitCount = 8, .colors = table, .pixelData = {9, 0, 0, 0}, .infoSize = 108});
    cut.resize(14 + 108 + 4 * 200);
    cut[10] = std::uint8_t(cut.size() - 1); // pixels said to start at the last byte
    cut[11] = std::uint8_t((cut.size() - 1) >> 8);
    EXPECT_FALSE(load(cut));
}

// The run-length data of a picture (indexes to the ramp table) and the indexes it gives, top
// row first; nothing means refused.
TEST(BmpDecoder, RunLengthCodes)
{
    const struct {
        const char* what;
        int width, height;
        Bytes data;
        std::optional<Bytes> indexes;
    } cases[] = {
        // Bottom row: a run of 2, an absolute run of 3 (padded), line end; then a delta of 1 right
        // and 1 up from the start of the second row, a run, bitmap end.
        {"every code", 6, 4, {2, 7, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 1, 1, 1, 4, 0, 1},
         Bytes{0, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 7, 1, 2, 3, 0}},
        {"bitmap end in mid picture", 3, 3, {3, 9, 0, 0, 1, 8, 0, 1, 5, 5, 5, 5}, Bytes{0, 0, 0, 8, 0, 0, 9, 9, 9}},
        {"a run past the row's end goes on in the next", 4, 2, {6, 5, 0, 0, 1, 7, 0, 1}, Bytes{7, 5, 0, 0, 5, 5, 5, 5}},
        {"a run past the buffer ends decoding", 4, 2, {6, 5, 255, 3, 0, 1}, Bytes{5, 5, 0, 0, 5, 5, 5, 5}},
        {"delta off the end", 4, 2, {0, 2, 255, 255, 1, 1}, Bytes(8, 0)},
        {"absolute run too long", 2, 1, {0, 5, 1, 2, 3, 4, 5, 0}, Bytes{0, 0}},
        {"last line end", 2, 2, {1, 3, 0, 0, 1, 6, 0, 0}, Bytes{6, 0, 3, 0}},
        {"ends in a run", 4, 2, {4, 1, 0, 0}, {}},
        {"ends in a line end", 4, 2, {4, 1, 0}, {}},
        {"absolute run without its padding", 4, 2, {0, 5, 1, 2, 3, 4, 5}, {}},
        {"ends in a delta", 4, 2, {0, 2, 1}, {}},
        {"no data", 4, 2, {}, {}},
    };
    const auto table = rampTable(256);
    for (const auto& c : cases) {
        const Bytes file = makeBmp({.width = c.width, .height = c.height, .bitCount = 8, .compression = 1,
                                    .colors = table, .pixelData = c.data});
        if (!c.indexes) {
            EXPECT_FALSE(load(file)) << c.what;
            continue;
        }
        Pixels expected;
        for (std::uint8_t i : *c.indexes)
            expected.push_back(table[i]);
        EXPECT_EQ(decodeAndRender(file), expected) << c.what;
    }
}

TEST(BmpDecoder, RefusesUnsupportedVariantsAndFilesTooShortOrTooLarge)
{
    const Bytes rows = dibRows(4, 4, 3, patternColor);
    const auto refused = [](const SBmpLayout& layout) { return !load(makeBmp(layout)); };
    // Run-length 4, bit fields, run-length 8 in 24 bits, top-down, 4, 1 and 12 bits, empty sizes.
    for (const auto& [width, height, bits, compression] : {std::array{4, 4, 24, 2}, {4, 4, 24, 3}, {4, 4, 24, 1},
                                                             {4, -4, 24, 0}, {4, 4, 4, 0}, {4, 4, 1, 0}, {4, 4, 12, 0},
                                                             {0, 4, 24, 0}, {-4, 4, 24, 0}, {4, 0, 24, 0}})
        EXPECT_TRUE(refused({.width = width, .height = height, .bitCount = std::uint16_t(bits),
                             .compression = std::uint32_t(compression),
                             .colors = bits < 8 ? rampTable(1u << bits) : std::vector<std::uint32_t>{}, .pixelData = rows}))
            << width << " x " << height << ", " << bits << " bits, compression " << compression;
    EXPECT_TRUE(refused({.width = 1, .height = 1, .bitCount = 8, .colors = rampTable(10)})) << "a short table";
    const auto tooLarge = [&](std::int32_t w, std::int32_t h) {
        return refused({.width = w, .height = h, .bitCount = 8, .compression = 1, .colors = rampTable(256), .pixelData = {0, 1}});
    };
    EXPECT_FALSE(tooLarge(kMaxImageSide, 1));
    EXPECT_TRUE(tooLarge(kMaxImageSide + 1, 1));
    EXPECT_TRUE(tooLarge(1, kMaxImageSide + 1));
    EXPECT_TRUE(tooLarge(0x7FFFFFFF, 0x7FFFFFFF));

    const Bytes full = makeBmp({.width = 4, .height = 4, .bitCount = 24, .pixelData = rows});
    EXPECT_TRUE(load(full));
    EXPECT_FALSE(load(Bytes(full.begin(), full.end() - 1)));
    EXPECT_FALSE(load(Bytes(full.begin(), full.begin() + 53)));
    Bytes farOffset = full;
    farOffset[10] = 0xFF; // pixel data said to start past the end
    farOffset[11] = 0xFF;
    EXPECT_FALSE(load(farOffset));
}

} // namespace
