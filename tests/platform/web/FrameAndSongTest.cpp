#include "music/CResourceModule.h"
#include "platform/web/FrameConversion.h"
#include "platform/web/VorbisSong.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

TEST(WebFrame, RowsBecomeOpaqueRgbaWithTheirOwnPitches)
{
    // Two rows of two pixels, each row padded to 12 bytes.
    const std::vector<std::uint8_t> bgrx = {0x01, 0x02, 0x03, 0x99, 0x10, 0x20, 0x30, 0x00, 0xEE, 0xEE, 0xEE, 0xEE,
                                            0xFF, 0x00, 0x80, 0x12, 0x00, 0x00, 0x00, 0x00, 0xEE, 0xEE, 0xEE, 0xEE};
    std::vector<std::uint8_t> rgba(2 * 2 * 4 + 4, 0x55);
    bgrxToRgba(bgrx.data(), 12, rgba.data(), 8, 2, 2);
    const std::vector<std::uint8_t> expected = {0x03, 0x02, 0x01, 0xFF, 0x30, 0x20, 0x10, 0xFF,
                                                0x80, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0xFF,
                                                0x55, 0x55, 0x55, 0x55};
    EXPECT_EQ(rgba, expected);
}

TEST(WebSong, TheProgramsSongDecodesWholeAndForeignBytesAreRefused)
{
    CResourceModule package(std::filesystem::path(MINNE_DATA_DIR) / "resource.dat");
    ASSERT_TRUE(package.Load());
    const std::optional<SResourceLocation> found = package.Find("music.ogg", "OGG");
    ASSERT_TRUE(found);
    const auto bytes = package.Data(*found);
    ASSERT_TRUE(bytes);
    const std::optional<SDecodedSong> song = decodeVorbisSong(*bytes);
    ASSERT_TRUE(song);
    EXPECT_GE(song->sampleRate, 22050);
    ASSERT_EQ(song->left.size(), song->right.size());
    EXPECT_GT(song->left.size(), static_cast<std::size_t>(song->sampleRate)); // more than a second
    float loudest = 0;
    for (const float sample : song->left) {
        ASSERT_LT(std::abs(sample), 1.5f); // the decoder's overshoot stays small; the page clips
        loudest = std::max(loudest, std::abs(sample));
    }
    EXPECT_GT(loudest, 0.05f);

    // Decoded a piece at a time, between frames, the song is the same to the last sample.
    std::optional<CVorbisSongDecoder> pieces = CVorbisSongDecoder::open(*bytes);
    ASSERT_TRUE(pieces);
    int calls = 0;
    while (!pieces->decode(1000)) {
        ++calls;
    }
    EXPECT_GT(calls, 10);
    EXPECT_EQ(pieces->song().sampleRate, song->sampleRate);
    EXPECT_EQ(pieces->song().left, song->left);
    EXPECT_EQ(pieces->song().right, song->right);

    EXPECT_FALSE(decodeVorbisSong({}));
    const std::vector<std::uint8_t> cut(bytes->begin(), bytes->begin() + 64);
    EXPECT_FALSE(decodeVorbisSong(cut));
    const std::vector<std::uint8_t> noise(4096, 0x4F);
    EXPECT_FALSE(decodeVorbisSong(noise));
}

} // namespace
