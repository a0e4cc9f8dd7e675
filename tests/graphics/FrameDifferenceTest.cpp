#include "GraphicsTestSupport.h"

#include "graphics/FrameDifference.h"
#include "graphics/GraphicsResult.h"
#include "graphics/SurfaceFormat.h"

#include <gtest/gtest.h>

namespace {

ESurfaceFormat formatOf(std::uint32_t depth) { return *surfaceFormatForDepth(depth); }

class FrameDifferenceTest : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(FrameDifferenceTest, TheChangedAreaIsTheBoundingBoxOfEveryChangedPixel)
{
    const ESurfaceFormat format = formatOf(GetParam());
    // 37 pixels wide: rows are not a whole number of words, at any depth.
    CSurfaceMemory before(37, 20, format, 0);
    CSurfaceMemory now(37, 20, format, 0);
    EXPECT_EQ(changedArea(now, before), SRect{});

    // A single pixel in every column and row, alone: the last byte of a pixel counts too.
    for (std::int32_t x : {0, 1, 7, 8, 30, 36}) {
        for (std::int32_t y : {0, 9, 19}) {
            CSurfaceMemory changed(37, 20, format, 0);
            changed.row(y)[(x + 1) * pixelBytes(format) - 1] = 1;
            EXPECT_EQ(changedArea(changed, before), (SRect{x, y, x + 1, y + 1})) << x << "," << y;
        }
    }

    // Pixels in several rows: the box spans the leftmost and rightmost of all of them, even
    // where the row that widens it comes after rows that did not.
    for (const auto& [x, y] : {std::pair{20, 3}, {10, 6}, {22, 8}, {15, 11}, {3, 14}})
        now.row(y)[x * pixelBytes(format)] = 5;
    EXPECT_EQ(changedArea(now, before), (SRect{3, 3, 23, 15}));
    EXPECT_EQ(changedArea(before, now), (SRect{3, 3, 23, 15}));
}

INSTANTIATE_TEST_SUITE_P(Depths, FrameDifferenceTest, ::testing::Values(15u, 16u, 24u, 32u));

TEST(IdleFrames, AFrameLikeTheLastOneIsNotSentAndDoesNotFlip)
{
    for (const std::uint32_t depth : {16u, 32u}) {
        auto test = openTestScreen(depth, 64, 48);
        CScreen& screen = *test.screen;
        screen.back()->Fill(0x1234);
        ASSERT_EQ(screen.Present(), 0);
        // The first frame after opening goes whole: the display showed nothing before.
        EXPECT_EQ(test.display->lastChange(), (SRect{0, 0, 64, 48}));

        screen.back()->Fill(0x1234);
        ASSERT_EQ(screen.Present(), 0);
        EXPECT_EQ(test.display->presentCount(), 2u);
        EXPECT_EQ(test.display->unchangedCount(), 1u);
        EXPECT_EQ(readPixel(*screen.front(), 5, 5), 0x1234u);
        EXPECT_EQ(readPixel(*screen.back(), 5, 5), 0x1234u);

        // A changed frame sends its changed rectangle; the display's copy matches the frame.
        screen.back()->Fill(0x1234);
        CSurface& back = *screen.back();
        back.Lock();
        back.putPixel(40, 30, 0x0F0F);
        back.putPixel(10, 33, 0x0F0F);
        back.Unlock();
        const std::vector<std::uint32_t> frame = readPixels(back);
        ASSERT_EQ(screen.Present(), 0);
        EXPECT_EQ(test.display->lastChange(), (SRect{10, 30, 41, 34}));
        EXPECT_EQ(readPixels(*screen.front()), frame);
    }
}

// The shell does not compose a frame that cannot differ from the one on show; the screen then
// only keeps the display's pace, and only while that frame is still there.
TEST(IdleFrames, AFrameNotComposedOnlyKeepsThePaceWhileTheLastOneIsOnShow)
{
    auto test = openTestScreen(32, 16, 8);
    CScreen& screen = *test.screen;
    EXPECT_FALSE(screen.showsLastFrame());
    EXPECT_LT(screen.PresentUnchanged(), 0);
    EXPECT_EQ(test.display->presentCount(), 0u);

    ASSERT_EQ(screen.Present(), 0);
    EXPECT_TRUE(screen.showsLastFrame());
    ASSERT_EQ(screen.PresentUnchanged(), 0);
    EXPECT_EQ(test.display->presentCount(), 2u);
    EXPECT_EQ(test.display->unchangedCount(), 1u);

    test.display->loseSurfaces();
    EXPECT_FALSE(screen.showsLastFrame());
    EXPECT_LT(screen.PresentUnchanged(), 0);
    ASSERT_EQ(screen.RestoreLostSurfaces(), 0);
    EXPECT_FALSE(screen.showsLastFrame());
    ASSERT_EQ(screen.Present(), 0);
    EXPECT_TRUE(screen.showsLastFrame());
    EXPECT_EQ(test.display->lastChange(), (SRect{0, 0, 16, 8})); // after a restore the whole frame goes

    // A display that reports the loss itself: the next frame is composed in full.
    test.display->setPresentResult(GraphicsResult::kSurfaceLost);
    screen.PresentUnchanged();
    EXPECT_FALSE(screen.showsLastFrame());
}

} // namespace
