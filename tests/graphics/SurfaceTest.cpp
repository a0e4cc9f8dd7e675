#include "GraphicsTestSupport.h"

#include "graphics/GraphicsResult.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace {

class SurfaceTest : public ::testing::Test {
protected:
    void SetUp() override { writeBmp24(temp_ / "picture.bmp", 5, 3, picture_); }
    CScreen& screen() { return *test_.screen; }
    CNullDisplay& display() { return *test_.display; }
    std::string path(const char* name) const { return (temp_ / name).string(); }

    TestScreen test_ = openTestScreen(16, 800, 600);
    CTempFolder temp_{"surface"};
    // 5 x 3, red and blue by turns.
    const std::vector<std::uint32_t> picture_{0xFF0000, 0xFF, 0xFF0000, 0xFF, 0xFF0000, 0xFF, 0xFF0000, 0xFF,
                                              0xFF0000, 0xFF, 0xFF0000, 0xFF, 0xFF0000, 0xFF, 0xFF0000};
};

TEST_F(SurfaceTest, PixelsStayInsideTheClipRectangleAndOnlyUnderTheLock)
{
    CSurface surface;
    ASSERT_EQ(surface.Create(screen(), 20, 10, 2), 0);
    surface.SetClipRect(SRect{-10, -10, 2000, 2000});
    EXPECT_EQ(surface.clipRect(), (SRect{0, 0, 20, 10}));
    surface.SetClipRect(SRect{2, 2, 10, 8});
    surface.Lock();
    // The clip's right and bottom edges are outside it.
    for (const auto& [x, y, kept] : {std::tuple{2, 2, true}, {10, 3, false}, {3, 8, false}, {1, 3, false}, {9, 7, true}}) {
        surface.putPixel(x, y, 0x1111);
        EXPECT_EQ(surface.getPixel(x, y), kept ? 0x1111u : 0u) << x << ", " << y;
    }
    EXPECT_EQ(surface.getPixel(-1, 0) | surface.getPixel(20, 0) | surface.getPixel(0, 10), 0u);
    surface.Unlock();
    surface.putPixel(3, 3, 0x6666);
    EXPECT_EQ(surface.getPixel(2, 2), 0u);
    EXPECT_EQ(readPixel(surface, 3, 3), 0u);
}

// A fill ignores the clip rectangle; the key from the corner keeps the low bits of its first word.
TEST_F(SurfaceTest, FillAndColourKeyFromTheCornerAtEveryDepth)
{
    for (const std::uint32_t depth : {15u, 16u, 24u, 32u}) {
        auto test = openTestScreen(depth, 8, 8);
        const auto ofDepth = [&](std::uint32_t value) {
            return depth <= 16 ? value & 0xFFFF : depth == 24 ? value & 0xFFFFFF : value;
        };
        for (const std::int32_t width : {1, 3, 5, 17, 33}) {
            CSurface surface;
            ASSERT_EQ(surface.Create(*test.screen, width, 3, 2), 0);
            surface.SetClipRect(SRect{1, 1, 2, 2});
            ASSERT_EQ(surface.Fill(0xA1B2C3D4), 0);
            EXPECT_EQ(readPixels(surface), std::vector<std::uint32_t>(std::size_t(width) * 3, ofDepth(0xA1B2C3D4)));
        }
        CSurface surface;
        ASSERT_EQ(surface.Create(*test.screen, 4, 2, 2), 0);
        surface.Lock();
        std::copy_n("\x34\x12\xCD\xAB", 4, surface.pixels());
        surface.Unlock();
        EXPECT_EQ(surface.SetColorKeyFromCorner(), 0);
        EXPECT_EQ(surface.colorKey(), ofDepth(0xABCD1234u)) << depth;
    }
    CSurface empty;
    EXPECT_EQ(empty.SetColorKeyFromCorner(), -1);
    EXPECT_EQ(empty.SetColorKey(1), -1);
}

TEST_F(SurfaceTest, CreateAndLoadFailures)
{
    CSurface surface;
    for (const auto& [width, height] : {std::pair{0, 10}, {10, -1}, {100000, 10}})
        EXPECT_EQ(surface.Create(screen(), width, height, 2), GraphicsResult::kInvalidParams);
    CScreen closed(std::make_unique<CNullDisplay>(), nullptr);
    EXPECT_EQ(surface.Create(closed, 10, 10, 2), GraphicsResult::kNotInitialized);
    EXPECT_EQ(surface.LoadImage(screen(), "", 2), -1);
    EXPECT_EQ(surface.LoadImage(screen(), path("missing.bmp"), 2), -2);
    temp_.write("text.bmp", "not a picture at all, just words");
    EXPECT_EQ(surface.LoadImage(screen(), path("text.bmp"), 2), -2);
    display().refusals().surfaces = true;
    EXPECT_EQ(surface.Create(screen(), 10, 10, 2), GraphicsResult::kOutOfMemory);
    EXPECT_EQ(surface.LoadImage(screen(), path("picture.bmp"), 2), -2);
    EXPECT_FALSE(surface.hasSurface());
}

TEST_F(SurfaceTest, LoadImageConvertsThePictureIntoTheScreenFormatKeepsItsNameAndReloadsIt)
{
    CSurface surface;
    ASSERT_EQ(surface.LoadImage(screen(), path("picture.bmp"), 2), 1);
    EXPECT_EQ(surface.clipRect(), (SRect{0, 0, 5, 3}));
    EXPECT_EQ(surface.fileName(), path("picture.bmp"));
    EXPECT_EQ(readPixel(surface, 0, 0), 0xF800u);
    EXPECT_EQ(readPixel(surface, 1, 0), 0x001Fu);
    // Backslashes in names are folder separators; the first character stays, so a Linux name
    // keeps its root and a Windows one its drive.
    std::string name = path("picture.bmp");
    std::replace(name.begin() + 1, name.end(), '/', '\\');
    EXPECT_EQ(CSurface{}.LoadImage(screen(), name, 2), 1);

    // A reload puts the picture back, from its own file or another of the same size.
    const auto loaded = readPixels(surface);
    surface.Fill(0x1234);
    EXPECT_EQ(surface.ReloadImage(), 0);
    EXPECT_EQ(readPixels(surface), loaded);
    CSurface blank;
    blank.Create(screen(), 5, 3, 2);
    EXPECT_EQ(blank.ReloadImage(), -2);
    EXPECT_EQ(blank.ReloadImage(path("picture.bmp")), 0);
    EXPECT_EQ(readPixels(blank), loaded);
    CSurface larger;
    larger.Create(screen(), 6, 3, 2);
    EXPECT_EQ(larger.ReloadImage(path("picture.bmp")), GraphicsResult::kInvalidRect);

    // The file name is kept to its first 255 bytes. Longer than that, and within the 259
    // characters Windows' narrow calls take (with room for the drive wine puts before a Linux
    // path): folders of 50 characters, then one that brings the name to its length exactly.
    constexpr std::size_t kNameLength = 257;
    std::filesystem::path deep = temp_.path();
    const auto missing = [&] { return kNameLength - (deep / "picture.bmp").string().size(); };
    ASSERT_GT(missing(), 51u);
    while (missing() > 101)
        deep /= std::string(50, 'o');
    deep /= std::string(missing() - 1, 'o');
    writeBmp24(deep / "picture.bmp", 5, 3, picture_);
    CSurface named;
    ASSERT_EQ(named.LoadImage(screen(), (deep / "picture.bmp").string(), 2), 1);
    EXPECT_EQ(named.fileName(), (deep / "picture.bmp").string().substr(0, 255));
}

TEST_F(SurfaceTest, LostSurfacesAreRestoredAndReloaded)
{
    CSurface picture;
    ASSERT_EQ(picture.LoadImage(screen(), path("picture.bmp"), 2), 1);
    const auto loaded = readPixels(picture);
    CSurface blank;
    ASSERT_EQ(blank.Create(screen(), 5, 3, 2), 0);
    blank.Fill(0x4321);
    display().loseSurfaces();
    EXPECT_TRUE(picture.isLost());
    EXPECT_EQ(blank.Fill(0), GraphicsResult::kSurfaceLost);
    // A copy reports the restore of its source: a picture from a file comes back whole.
    EXPECT_EQ(picture.Opaque(*screen().back(), 0, 0), 0);
    EXPECT_EQ(readPixels(picture), loaded);
    // A blank surface keeps no picture: its restore reports that nothing could be reloaded.
    EXPECT_EQ(blank.Keyed(picture, 0, 0), -2);
    EXPECT_FALSE(blank.isLost());
    EXPECT_EQ(readPixel(blank, 0, 0), 0u);
    // The scaled draw restores too but reports the loss itself.
    display().loseSurfaces();
    EXPECT_EQ(picture.KeyedScaled(blank, 0, 0, std::nullopt, 1.0f), GraphicsResult::kSurfaceLost);
    EXPECT_FALSE(picture.isLost());
    // A lock restores; when restoring is refused it gives up and holds no lock.
    display().loseSurfaces();
    EXPECT_EQ(picture.Lock(), 1);
    EXPECT_EQ(picture.getPixel(0, 0), 0xF800u);
    EXPECT_EQ(picture.Unlock(), 0);
    display().loseSurfaces();
    display().refusals().restore = true;
    EXPECT_EQ(picture.Lock(), GraphicsResult::kSurfaceLost);
    EXPECT_EQ(picture.lockCount(), 0u);
    EXPECT_EQ(picture.Restore(), GraphicsResult::kGeneric);
    EXPECT_EQ(picture.KeyedBlend(*screen().back(), 0, 0, std::nullopt, 0), GraphicsResult::kSurfaceLost);
    EXPECT_EQ(screen().back()->lockCount(), 0u);
    EXPECT_EQ(CSurface{}.Restore(), -1);
}

} // namespace
