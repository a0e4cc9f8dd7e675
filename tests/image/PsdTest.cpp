#include "TestSupport.h"

using namespace pictures;

namespace {

using Pixels = std::vector<std::uint32_t>;

std::uint8_t sample(int x, int y, int channel)
{
    return std::uint8_t(x * 17 + y * 29 + channel * 61 + (x % 3 == 0 ? 0 : 5));
}

std::vector<Bytes> planes(int width, int height, int channels)
{
    std::vector<Bytes> all(std::size_t(channels), Bytes(std::size_t(width * height)));
    for (int i = 0; i < channels * width * height; ++i)
        all[i / (width * height)][i % (width * height)] =
            sample(i % width, i / width % height, i / (width * height));
    return all;
}

// The picture missing channels leave black.
Pixels rgb(int width, int height, int channels)
{
    return expectedPixels(width, height, [&](int x, int y) {
        const auto channel = [&](int c) { return c < channels ? std::uint32_t(sample(x, y, c)) : 0u; };
        return channel(0) << 16 | channel(1) << 8 | channel(2);
    });
}

TEST(PsdDecoder, RawAndRunLengthForAnyChannelCount)
{
    const int width = 7, height = 3;
    for (std::uint16_t channels : {1, 2, 3, 4, 6}) {
        for (std::uint16_t compression : {0, 1}) {
            const Bytes file = makePsd({.channels = channels, .width = width, .height = height,
                                        .compression = compression, .planes = planes(width, height, channels)});
            const SDecodeResult result = load(file);
            ASSERT_TRUE(result) << result.reason;
            EXPECT_EQ(render(*result.dib), rgb(width, height, channels)) << channels << " channels, compression " << compression;
            // Alpha lands in the fourth byte of each 32-bit pixel: 255 unless the file has it.
            const std::uint8_t alpha = result.dib->row(1)[4 * 2 + 3];
            EXPECT_EQ(alpha, channels >= 4 ? sample(2, 1, 3) : 255);
        }
    }
}

TEST(PsdDecoder, SkipsColourModeDataResourcesAndLayers)
{
    const Bytes file = makePsd({.width = 3, .height = 2, .colorModeData = Bytes(5, 1), .resources = Bytes(11, 2),
                                .layers = Bytes(3, 3), .planes = planes(3, 2, 3)});
    EXPECT_EQ(decodeAndRender(file), rgb(3, 2, 3));
}

// One channel, a row size table and the rows: a no-op byte 128, a repeat of 3 and a literal
// of 1; then a repeat of 3 that does not fit in a row of 2.
TEST(PsdDecoder, PackBitsCodes)
{
    const auto packed = [](std::uint32_t width, const Bytes& row) {
        Bytes file = makePsd({.channels = 1, .width = width, .height = 1, .planes = {Bytes(width, 0)}});
        file.resize(file.size() - width - 2);
        putBe16(file, 1);
        putBe16(file, std::uint32_t(row.size()));
        append(file, row);
        return file;
    };
    EXPECT_EQ(decodeAndRender(packed(4, {128, 254, 0x40, 0, 0x41})), (Pixels{0x400000, 0x400000, 0x400000, 0x410000}));
    EXPECT_FALSE(load(packed(2, {254, 7, 0, 0, 0, 0})));
}

TEST(PsdDecoder, RefusesUnsupportedVariants)
{
    const auto refused = [](SPsdLayout layout) {
        layout.planes = planes(int(layout.width), int(layout.height), layout.channels);
        return !load(makePsd(layout), EImageType::PSD);
    };
    EXPECT_FALSE(refused({}));
    EXPECT_FALSE(refused({.channels = 24}));
    // Modes 4 and 1 are CMYK and grey.
    const SPsdLayout refusals[] = {{.compression = 2}, {.compression = 3}, {.version = 2}, {.depth = 16}, {.depth = 1},
                                   {.mode = 4},        {.mode = 1},        {.channels = 25}, {.channels = 0}, {.width = 0}};
    for (std::size_t i = 0; i < std::size(refusals); ++i)
        EXPECT_TRUE(refused(refusals[i])) << "case " << i;
}

TEST(PsdDecoder, RefusesFilesTooShortForWhatTheyDeclare)
{
    for (std::uint16_t compression : {0, 1}) {
        const Bytes file = makePsd({.width = 5, .height = 4, .compression = compression, .planes = planes(5, 4, 3)});
        EXPECT_TRUE(load(file));
        EXPECT_FALSE(load(Bytes(file.begin(), file.end() - 1))) << "compression " << compression;
    }
    const Bytes file = makePsd({.width = 5, .height = 4, .resources = Bytes(40, 0), .planes = planes(5, 4, 3)});
    Bytes hugeSection = file;
    hugeSection[30] = 0x7F; // resources length 0x7F000028
    EXPECT_FALSE(load(hugeSection));
    EXPECT_FALSE(load(Bytes(file.begin(), file.begin() + 29), EImageType::PSD));
    EXPECT_FALSE(load(makePsd({.width = 16384, .height = 16384, .compression = 1, .planes = {}})));
    EXPECT_FALSE(load(makePsd({.width = 16385, .height = 1, .planes = planes(1, 1, 3)})));
}

} // namespace
