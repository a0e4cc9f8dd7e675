#include "graphics/PixelFormat.h"
#include "graphics/PixelPrimitives.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(PixelFormat, DetectsTheFourFormatsFromTheirMasksAndPaletteOrUnknownOnes)
{
    SPixelFormatInfo info;
    ASSERT_TRUE(detectPixelFormat({16, true, 0xF800, 0x07E0, 0x001F}, info));
    EXPECT_EQ(info, (SPixelFormatInfo{31, 63, 31, 0, 5, 11, 16}));
    ASSERT_TRUE(detectPixelFormat({16, true, 0x7C00, 0x03E0, 0x001F}, info));
    EXPECT_EQ(info, (SPixelFormatInfo{31, 31, 31, 0, 5, 10, 15}));
    ASSERT_TRUE(detectPixelFormat({32, true, 0xFF0000, 0xFF00, 0xFF}, info));
    EXPECT_EQ(info, (SPixelFormatInfo{255, 255, 255, 0, 8, 16, 32}));
    for (const ESurfaceFormat format : {ESurfaceFormat::Rgb555, ESurfaceFormat::Rgb565, ESurfaceFormat::Bgr24,
                                       ESurfaceFormat::Bgrx32}) {
        ASSERT_TRUE(detectPixelFormat(describeFormat(format), info));
        EXPECT_EQ(info.depth, static_cast<std::uint32_t>(format));
    }
    // A palette format, and formats of no known layout.
    info = SPixelFormatInfo{1, 2, 3, 4, 5, 6, 99};
    ASSERT_TRUE(detectPixelFormat({8, false, 0, 0, 0}, info));
    EXPECT_EQ(info, (SPixelFormatInfo{0, 0, 0, 0, 0, 0, 8}));
    EXPECT_FALSE(detectPixelFormat({16, false, 0xF800, 0x07E0, 0x001F}, info));
    EXPECT_EQ(info.depth, 0u);
    EXPECT_TRUE(detectPixelFormat({12, true, 0xF00, 0xF0, 0xF}, info));
    EXPECT_EQ(info.depth, 0u);
    // An empty mask is shifted 32 times without looping for ever.
    EXPECT_TRUE(detectPixelFormat({32, true, 0, 0xFF00, 0xFF}, info));
    EXPECT_EQ(info.redShift, 32);
    EXPECT_EQ(info.redMask, 0);
}

TEST(PixelFormat, ColourToPixel)
{
    EXPECT_EQ(colorToPixel(0x0000FF, describeFormat(ESurfaceFormat::Bgrx32)), 0x00FF0000u);
    EXPECT_EQ(colorToPixel(0xFFFFFF, describeFormat(ESurfaceFormat::Rgb565)), 0xFFFFu);
    EXPECT_EQ(colorToPixel(0x7D1964, describeFormat(ESurfaceFormat::Bgr24)), 0x64197Du);
    EXPECT_EQ(colorToPixel(0x7D1964, describeFormat(ESurfaceFormat::Rgb565)), (12u << 11) | (6u << 5) | 15u);
    EXPECT_EQ(colorToPixel(0x00ABCDEF, {8, false, 0, 0, 0}), 0x00ABCDEFu);
    EXPECT_EQ(colorToPixel(0xFF000000, describeFormat(ESurfaceFormat::Bgrx32)), 0u); // bits above the colour
}

TEST(SPixelPrimitives, EachDepthWritesItsBytesLowByteFirst)
{
    std::vector<std::uint8_t> memory(4 * 8, 0);
    const SPixelPrimitives eight = primitivesForDepth(8);
    eight.put(memory.data(), 8, 3, 1, 0xABCD);
    EXPECT_EQ(memory[12], 0);
    EXPECT_EQ(eight.get(memory.data(), 8, 3, 1), 0xCDu);

    const SPixelPrimitives twentyFour = primitivesForDepth(24);
    twentyFour.put(memory.data(), 8, 1, 2, 0x11223344);
    EXPECT_EQ(std::vector<std::uint8_t>(memory.begin() + 19, memory.begin() + 23), (std::vector<std::uint8_t>{0x44, 0x33, 0x22, 0}));
    EXPECT_EQ(twentyFour.get(memory.data(), 8, 1, 2), 0x223344u);

    const SPixelPrimitives thirtyTwo = primitivesForDepth(32);
    thirtyTwo.put(memory.data(), 8, 1, 3, 0xA1B2C3D4);
    EXPECT_EQ(thirtyTwo.get(memory.data(), 8, 1, 3), 0xA1B2C3D4u);
    EXPECT_EQ(primitivesForDepth(12).put, nullptr);
    EXPECT_EQ(primitivesForDepth(0).get, nullptr);
}

} // namespace
