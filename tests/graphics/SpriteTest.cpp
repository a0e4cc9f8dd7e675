#include "GraphicsTestSupport.h"

#include "graphics/CSprite.h"

#include <gtest/gtest.h>

namespace {

// Sheets of one row of 58 x 58 tiles whose every pixel holds its own tile number + 1 in blue,
// and key colour (0) in the top-left pixel of each tile.
class SpriteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const auto& [name, width] : {std::pair{"sheet.bmp", 290}, {"tall.bmp", 116}}) {
            std::vector<std::uint32_t> pixels;
            for (std::int32_t i = 0; i < width * 58; ++i)
                pixels.push_back(i % width % 58 == 0 && i / width == 0 ? 0u
                                                                       : std::uint32_t(i % width / 58 + 1));
            writeBmp24(folder_ / name, width, 58, pixels);
        }
    }

    std::string path(const char* name) const { return (folder_ / name).string(); }
    CSurface& back() { return *test_.screen->back(); }

    TestScreen test_ = openTestScreen(32, 400, 300);
    CTempFolder temp_{"sprite"};
    const std::filesystem::path& folder_ = temp_.path();
};

TEST_F(SpriteTest, DrawsTheTileOfItsFrameOpaqueOrKeyedWithAViewOffset)
{
    CSprite sprite;
    ASSERT_EQ(sprite.CreateTiles(*test_.screen, path("sheet.bmp"), 58, 58, 5, 2), 1);
    EXPECT_TRUE(sprite.ownsTiles());
    sprite.setPosition(100, 50);
    sprite.setFrame(3);
    ASSERT_EQ(sprite.Draw(back(), 0, 0, 0), 0);
    EXPECT_EQ(readPixel(back(), 100, 50), 0u); // the tile's corner, drawn opaque
    EXPECT_EQ(readPixel(back(), 101, 50), 4u);
    EXPECT_EQ(readPixel(back(), 157, 107), 4u);
    EXPECT_EQ(readPixel(back(), 158, 107), 0u);

    sprite.tiles()->SetColorKeyFromCorner();
    back().Fill(0x00FF00);
    sprite.setFrame(1);
    // Mode numbers count by their low 16 bits.
    ASSERT_EQ(sprite.Draw(back(), 10, 5, 0x10000 + 100), 0);
    EXPECT_EQ(readPixel(back(), 90, 45), 0x00FF00u);
    EXPECT_EQ(readPixel(back(), 91, 45), 2u);
}

TEST_F(SpriteTest, FramesPastTheLastTileOtherModesAndSpritesWithoutPicturesDrawNothing)
{
    CSprite sprite;
    ASSERT_EQ(sprite.CreateTiles(*test_.screen, path("tall.bmp"), 58, 58, 2, 2), 1);
    sprite.setFrame(2);
    EXPECT_EQ(sprite.Draw(back(), 0, 0, 0), 0);
    sprite.setFrame(0xFFFFFFFF);
    EXPECT_EQ(sprite.Draw(back(), 0, 0, 100), 0);
    sprite.setFrame(1);
    EXPECT_EQ(sprite.Draw(back(), 0, 0, 101), -1);
    EXPECT_EQ(sprite.Draw(back(), 0, 0, 103), -1);

    // A sprite without its picture stays invisible.
    CSprite unmade;
    EXPECT_EQ(unmade.Draw(back(), 0, 0, 0), -1);
    EXPECT_EQ(unmade.CreateTiles(*test_.screen, "", 58, 58, 5, 2), -1);
    EXPECT_EQ(unmade.CreateTiles(*test_.screen, path("missing.bmp"), 58, 58, 5, 2), -3);
    EXPECT_FALSE(unmade.ownsTiles());
    EXPECT_EQ(unmade.CreateTiles(*test_.screen, path("sheet.bmp"), 58, 58, 5, 2), -2);
    EXPECT_EQ(unmade.Draw(back(), 0, 0, 0), -1);
    EXPECT_EQ(unmade.Draw(back(), 0, 0, 100), -1);

    CSprite tileless;
    ASSERT_EQ(tileless.CreateTiles(*test_.screen, path("sheet.bmp"), 0, 0, 5, 2), 1);
    EXPECT_EQ(tileless.Draw(back(), 0, 0, 0), -1);
    CSprite tooWide;
    ASSERT_EQ(tooWide.CreateTiles(*test_.screen, path("sheet.bmp"), 300, 58, 1, 2), 1);
    EXPECT_EQ(tooWide.Draw(back(), 0, 0, 0), -1);
    EXPECT_EQ(readPixels(back()), std::vector<std::uint32_t>(400 * 300, 0));
}

} // namespace
