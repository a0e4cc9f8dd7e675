#include "graphics/FrameCopy.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr SPixelFormatDescription kDesktop32{32, true, 0xFF0000, 0x00FF00, 0x0000FF};
constexpr SPixelFormatDescription kRgb565{16, true, 0xF800, 0x07E0, 0x001F};
// What a 15-bit display mode reports: 16 bits per pixel with 5-5-5 masks.
constexpr SPixelFormatDescription kReported555{16, true, 0x7C00, 0x03E0, 0x001F};
constexpr SPixelFormatDescription kRgbx32{32, true, 0x0000FF, 0x00FF00, 0xFF0000};

std::uint32_t readPixel(const std::vector<std::uint8_t>& memory, std::size_t offset, std::size_t bytes)
{
    return (memory[offset] | memory[offset + 1] << 8 | (bytes == 4 ? memory[offset + 2] << 16 | memory[offset + 3] << 24 : 0));
}

} // namespace

TEST(FrameCopy, LayoutsThatAgreeAreRecognisedByBitCountAndMasks)
{
    EXPECT_TRUE(sameLayout(ESurfaceFormat::Bgrx32, kDesktop32));
    EXPECT_TRUE(sameLayout(ESurfaceFormat::Rgb565, kRgb565));
    EXPECT_TRUE(sameLayout(ESurfaceFormat::Rgb555, kReported555));
    EXPECT_FALSE(sameLayout(ESurfaceFormat::Rgb565, kReported555));
    EXPECT_FALSE(sameLayout(ESurfaceFormat::Bgrx32, kRgbx32));
    EXPECT_FALSE(sameLayout(ESurfaceFormat::Bgr24, kDesktop32));
}

TEST(FrameCopy, EqualLayoutsCopyRowsAndLeaveTheDestinationsPaddingAlone)
{
    // Two pixels a row, two rows; the source rows have two bytes of padding, the destination four.
    const std::vector<std::uint8_t> source{0x1F, 0x00, 0x00, 0xF8, 0xAA, 0xAA, 0xE0, 0x07, 0xFF, 0xFF, 0xAA, 0xAA};
    std::vector<std::uint8_t> dest(16, 0x55);
    ASSERT_TRUE(copyFrame({source.data(), 6, 2, 2, ESurfaceFormat::Rgb565}, dest.data(), 8, kRgb565));
    const std::vector<std::uint8_t> expected{0x1F, 0x00, 0x00, 0xF8, 0x55, 0x55, 0x55, 0x55,
                                             0xE0, 0x07, 0xFF, 0xFF, 0x55, 0x55, 0x55, 0x55};
    EXPECT_EQ(dest, expected);
}

TEST(FrameCopy, OtherLayoutsWidenOrNarrowTheirChannelsAndFollowSwappedMasks)
{
    // 5-5-5 red 31, green 16, blue 1 and 5-6-5 red 1, green 63, blue 30.
    const std::vector<std::uint8_t> frame555{0x01, 0x7E}; // (31 << 10) | (16 << 5) | 1
    const std::vector<std::uint8_t> frame565{0xFE, 0x0F}; // (1 << 11) | (63 << 5) | 30
    std::vector<std::uint8_t> dest(4, 0);
    ASSERT_TRUE(copyFrame({frame555.data(), 2, 1, 1, ESurfaceFormat::Rgb555}, dest.data(), 4, kDesktop32));
    EXPECT_EQ(readPixel(dest, 0, 4), 0xFF8408u); // 31 -> FF, 16 -> 84, 1 -> 08
    ASSERT_TRUE(copyFrame({frame565.data(), 2, 1, 1, ESurfaceFormat::Rgb565}, dest.data(), 4, kDesktop32));
    EXPECT_EQ(readPixel(dest, 0, 4), 0x08FFF7u); // 1 -> 08, 63 -> FF, 30 -> F7

    // Deep frames narrow for sixteen-bit modes and follow swapped masks.
    const std::vector<std::uint8_t> bgr24{0x10, 0x80, 0xFF, 0x00, 0x00, 0x00};
    ASSERT_TRUE(copyFrame({bgr24.data(), 6, 2, 1, ESurfaceFormat::Bgr24}, dest.data(), 4, kRgb565));
    EXPECT_EQ(readPixel(dest, 0, 2), (31u << 11) | (32u << 5) | 2u);
    EXPECT_EQ(readPixel(dest, 2, 2), 0u);
    ASSERT_TRUE(copyFrame({bgr24.data(), 6, 1, 1, ESurfaceFormat::Bgr24}, dest.data(), 4, kReported555));
    EXPECT_EQ(readPixel(dest, 0, 2), (31u << 10) | (16u << 5) | 2u);

    const std::vector<std::uint8_t> bgrx{0x10, 0x80, 0xFF, 0x00};
    ASSERT_TRUE(copyFrame({bgrx.data(), 4, 1, 1, ESurfaceFormat::Bgrx32}, dest.data(), 4, kRgbx32));
    EXPECT_EQ(readPixel(dest, 0, 4), 0x1080FFu);
}

TEST(FrameCopy, RefusesWhatItCannotWriteAndTouchesNothing)
{
    const std::vector<std::uint8_t> frame(8, 0xFF);
    std::vector<std::uint8_t> dest(8, 0x55);
    const SFrameView view{frame.data(), 8, 2, 1, ESurfaceFormat::Bgrx32};
    EXPECT_FALSE(copyFrame(view, dest.data(), 8, SPixelFormatDescription{8, false, 0, 0, 0}));
    EXPECT_FALSE(copyFrame(view, dest.data(), 8, SPixelFormatDescription{32, false, 0xFF0000, 0xFF00, 0xFF}));
    EXPECT_FALSE(copyFrame(view, dest.data(), 7, kDesktop32));
    EXPECT_FALSE(copyFrame({frame.data(), 7, 2, 1, ESurfaceFormat::Bgrx32}, dest.data(), 8, kDesktop32));
    EXPECT_EQ(dest, std::vector<std::uint8_t>(8, 0x55));
}
