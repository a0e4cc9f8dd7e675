#include "image/DibConversion.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using B = std::vector<std::uint8_t>;

// The colour of pixel x of a row, worked out the slow way, as 0x00RRGGBB.
std::uint32_t referenceColor(const CDib& dib, const std::uint8_t* row, std::int32_t x)
{
    const auto widen = [](std::uint32_t v) { return v << 3 | v >> 2; };
    switch (dib.bitsPerPixel()) {
    case 8: {
        const std::size_t index = row[x];
        if (index >= dib.colors().size())
            return 0;
        const SDibColor& c = dib.colors()[index];
        return std::uint32_t(c.red) << 16 | std::uint32_t(c.green) << 8 | c.blue;
    }
    case 16: {
        const std::uint32_t w = row[2 * x] | row[2 * x + 1] << 8;
        return widen(w >> 10 & 31) << 16 | widen(w >> 5 & 31) << 8 | widen(w & 31);
    }
    default: {
        const std::uint8_t* p = row + x * (dib.bitsPerPixel() / 8);
        return std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
    }
    }
}

std::vector<std::uint8_t> referencePixel(std::uint32_t c, ESurfaceFormat format)
{
    const std::uint32_t r = c >> 16 & 0xFF, g = c >> 8 & 0xFF, b = c & 0xFF;
    std::uint32_t word = 0;
    switch (format) {
    case ESurfaceFormat::Bgrx32: return {std::uint8_t(b), std::uint8_t(g), std::uint8_t(r), 0};
    case ESurfaceFormat::Bgr24: return {std::uint8_t(b), std::uint8_t(g), std::uint8_t(r)};
    case ESurfaceFormat::Rgb565: word = (r >> 3) << 11 | (g >> 2) << 5 | b >> 3; break;
    case ESurfaceFormat::Rgb555: word = (r >> 3) << 10 | (g >> 3) << 5 | b >> 3; break;
    }
    return {std::uint8_t(word), std::uint8_t(word >> 8)};
}

// Rows with stretches of equal bytes and of varied ones, so both the run and the mixed paths
// of the fast loops are taken.
void fillRows(CDib& dib, std::uint32_t seed)
{
    for (std::int32_t y = 0; y < dib.height(); ++y) {
        std::uint8_t* row = dib.writableRow(y);
        for (std::size_t i = 0; i < dib.stride(); ++i) {
            seed = seed * 1103515245 + 12345;
            row[i] = (i / 20) % 2 == 0 ? std::uint8_t(y * 3 + 7) : std::uint8_t(seed >> 16);
        }
    }
}

// Every width up to 41 exercises the vector loops (16 pixels a round) and their remainders;
// even widths are stored top-down, odd ones bottom-up.
TEST(DibConversion, FastPathsMatchThePixelByPixelReference)
{
    std::vector<SDibColor> table;
    for (int i = 0; i < 200; ++i)
        table.push_back(SDibColor{std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 3), std::uint8_t(i)});
    const ESurfaceFormat formats[] = {ESurfaceFormat::Rgb555, ESurfaceFormat::Rgb565, ESurfaceFormat::Bgr24, ESurfaceFormat::Bgrx32};
    for (std::uint8_t depth : {8, 16, 24, 32}) {
        for (std::int32_t width = 1; width <= 41; ++width) {
            std::optional<CDib> dib = CDib::allocate(width, 3, depth, width % 2 == 0);
            fillRows(*dib, std::uint32_t(width * depth));
            if (depth == 8)
                dib->setColors(table);
            for (ESurfaceFormat format : formats) {
                const std::size_t step = bytesPerPixel(format);
                std::vector<std::uint8_t> out(step * std::size_t(width) * 3);
                ASSERT_TRUE(ConvertDib(*dib, format, out, step * std::size_t(width)));
                for (std::int32_t y = 0; y < 3; ++y) {
                    const std::uint8_t* row = dib->row(dib->topDown() ? y : 2 - y);
                    for (std::int32_t x = 0; x < width; ++x) {
                        const std::uint8_t* d = out.data() + (std::size_t(y) * width + x) * step;
                        ASSERT_EQ((B{d, d + step}), referencePixel(referenceColor(*dib, row, x), format))
                            << "depth " << int(depth) << " into " << int(format) << ", width " << width << " at " << x << "," << y;
                    }
                }
            }
        }
    }
}

TEST(DibConversion, PitchLeavesTheBytesBetweenRowsAloneAndTooSmallBuffersAreRefused)
{
    std::optional<CDib> dib = CDib::allocate(2, 2, 24, true);
    std::memset(dib->writableBits().data(), 0x11, dib->writableBits().size());
    std::vector<std::uint8_t> out(7 + 6, 0xAB); // pitch 7 for 6-byte rows in 24 bits
    ASSERT_TRUE(ConvertDib(*dib, ESurfaceFormat::Bgr24, out, 7));
    EXPECT_EQ(out, (B{0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0xAB, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11}));

    dib = CDib::allocate(3, 2, 32, true);
    std::vector<std::uint8_t> exact(12 + 6), small(23, 0xAB); // a last row needs only its own bytes
    EXPECT_TRUE(ConvertDib(*dib, ESurfaceFormat::Rgb565, exact, 12));
    EXPECT_FALSE(ConvertDib(*dib, ESurfaceFormat::Bgrx32, small, 12));
    EXPECT_EQ(small, B(23, 0xAB));
    out.assign(24, 0);
    EXPECT_FALSE(ConvertDib(*dib, ESurfaceFormat::Bgrx32, out, 11));
    EXPECT_FALSE(ConvertDib(*dib, ESurfaceFormat::Bgrx32, out, std::size_t(-1)));
}

TEST(Dib, RefusesImpossibleBitmapsAndPadsRowsToFourBytes)
{
    EXPECT_FALSE(CDib::allocate(0, 1, 24, false));
    EXPECT_FALSE(CDib::allocate(1, kMaxImageSide + 1, 24, false));
    EXPECT_FALSE(CDib::allocate(1, 1, 4, false));
    EXPECT_EQ(CDib::stride(3, 24), 12u);
    EXPECT_EQ(CDib::stride(3, 16), 8u);
    EXPECT_EQ(CDib::stride(5, 8), 8u);
}

} // namespace
