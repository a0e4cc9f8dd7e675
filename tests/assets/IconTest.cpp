#include "icon/Icon.h"

#include <gtest/gtest.h>

using namespace assetgen;

namespace {

uint32_t read32(const std::vector<uint8_t>& bytes, size_t at)
{
    return bytes.at(at) | bytes.at(at + 1) << 8 | bytes.at(at + 2) << 16 | static_cast<uint32_t>(bytes.at(at + 3)) << 24;
}
uint32_t read16(const std::vector<uint8_t>& bytes, size_t at) { return bytes.at(at) | bytes.at(at + 1) << 8; }

} // namespace

// Each picture of one colour, its top-left corner transparent: the file lists every size and
// holds each bitmap (header, colours bottom-up, then a mask with rows padded to four bytes)
// where the list says.
TEST(Icon, TheFileListsEverySizeAndHoldsItsBitmapsWhereTheListSays)
{
    const std::vector<int> sizes = {16, 32, 48, 256};
    std::vector<SIconImage> images;
    for (const int size : sizes) {
        images.push_back({size, std::vector<uint32_t>(static_cast<size_t>(size * size), 0xFF102030u + size)});
        images.back().bgra[0] = 0;
    }
    const std::vector<uint8_t> ico = encodeIco(images);
    ASSERT_EQ(read32(ico, 0), 0x10000u);
    ASSERT_EQ(read16(ico, 4), sizes.size());
    size_t expectedOffset = 6 + 16 * sizes.size();
    for (size_t i = 0; i < sizes.size(); ++i) {
        const uint32_t size = static_cast<uint32_t>(sizes[i]), entry = static_cast<uint32_t>(6 + 16 * i);
        SCOPED_TRACE(size);
        EXPECT_EQ(read16(ico, entry), size % 256 * 0x101);
        EXPECT_EQ(read16(ico, entry + 6), 32u);
        const uint32_t length = read32(ico, entry + 8), offset = read32(ico, entry + 12);
        EXPECT_EQ(offset, expectedOffset);
        expectedOffset += length;
        const uint32_t stride = (size + 31) / 32 * 4;
        ASSERT_EQ(length, 40 + size * size * 4 + stride * size);
        EXPECT_EQ(read32(ico, offset), 40u);
        EXPECT_EQ(read32(ico, offset + 4), size);
        EXPECT_EQ(read32(ico, offset + 8), 2 * size);
        EXPECT_EQ(read16(ico, offset + 14), 32u);
        const size_t pixels = offset + 40, mask = pixels + size * size * 4;
        EXPECT_EQ(read32(ico, pixels + (size - 1) * size * 4), 0u);
        EXPECT_EQ(read32(ico, pixels), 0xFF102030u + size);
        EXPECT_EQ(ico[mask + (size - 1) * stride], 0x80);
        EXPECT_EQ(ico[mask], 0x00);
    }
    EXPECT_EQ(expectedOffset, ico.size());
    EXPECT_THROW(encodeIco({SIconImage{300, std::vector<uint32_t>(90000)}}), std::invalid_argument);
}
