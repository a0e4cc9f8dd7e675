#include "icon/Icon.h"

#include <gtest/gtest.h>

using namespace assetgen;

namespace {

uint32_t read32(const std::vector<uint8_t>& bytes, size_t at)
{
    return bytes.at(at) | bytes.at(at + 1) << 8 | bytes.at(at + 2) << 16 | static_cast<uint32_t>(bytes.at(at + 3)) << 24;
}
uint32_t read16(const std::vector<uint8_t>& bytes, size_t at) { return bytes.at(at) | bytes.at(at + 1) << 8; }

// A picture of one colour, all there but its top-left corner.
SIconImage iconOf(int size, uint32_t colour)
{
    SIconImage image{size, std::vector<uint32_t>(static_cast<size_t>(size * size), colour)};
    image.bgra[0] = 0x00000000; // the top-left corner transparent
    return image;
}

} // namespace

TEST(Icon, TheFileListsEverySizeAndHoldsItsBitmapsWhereTheListSays)
{
    const std::vector<int> sizes = {16, 32, 48, 256};
    std::vector<SIconImage> images;
    for (const int size : sizes) {
        images.push_back(iconOf(size, 0xFF102030u + static_cast<uint32_t>(size)));
    }
    const std::vector<uint8_t> ico = encodeIco(images);
    ASSERT_EQ(read16(ico, 0), 0u);
    ASSERT_EQ(read16(ico, 2), 1u);
    ASSERT_EQ(read16(ico, 4), sizes.size());
    size_t expectedOffset = 6 + 16 * sizes.size();
    for (size_t i = 0; i < sizes.size(); ++i) {
        const size_t entry = 6 + 16 * i;
        const int size = sizes[i];
        EXPECT_EQ(ico[entry], size % 256) << size;
        EXPECT_EQ(ico[entry + 1], size % 256) << size;
        EXPECT_EQ(read16(ico, entry + 6), 32u);
        const uint32_t length = read32(ico, entry + 8);
        const uint32_t offset = read32(ico, entry + 12);
        EXPECT_EQ(offset, expectedOffset) << size;
        expectedOffset += length;
        // Header, colours, then a mask with rows padded to four bytes.
        const uint32_t stride = (static_cast<uint32_t>(size) + 31) / 32 * 4;
        ASSERT_EQ(length, 40 + static_cast<uint32_t>(size * size * 4) + stride * static_cast<uint32_t>(size));
        EXPECT_EQ(read32(ico, offset), 40u);
        EXPECT_EQ(read32(ico, offset + 4), static_cast<uint32_t>(size));
        EXPECT_EQ(read32(ico, offset + 8), static_cast<uint32_t>(2 * size));
        EXPECT_EQ(read16(ico, offset + 14), 32u);
        // Rows bottom-up: the transparent top-left corner is the first pixel of the last row.
        const size_t pixels = offset + 40;
        EXPECT_EQ(read32(ico, pixels + static_cast<size_t>((size - 1) * size) * 4), 0u) << size;
        EXPECT_EQ(read32(ico, pixels), 0xFF102030u + static_cast<uint32_t>(size)) << size;
        const size_t mask = pixels + static_cast<size_t>(size * size) * 4;
        EXPECT_EQ(ico[mask + (size - 1) * stride], 0x80) << size;
        EXPECT_EQ(ico[mask], 0x00) << size;
    }
    EXPECT_EQ(expectedOffset, ico.size());
    EXPECT_THROW(encodeIco({SIconImage{300, std::vector<uint32_t>(90000)}}), std::invalid_argument);
}
