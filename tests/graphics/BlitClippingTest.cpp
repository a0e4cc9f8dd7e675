#include "graphics/BlitClipping.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const SRect kScreen{0, 0, 800, 600};

TEST(BlitClipping, CutsEveryEdgeAndMovesTheSourceAlong)
{
    const SRect picture{0, 0, 100, 100};
    auto c = clipBlit(picture, picture, 750, -20, kScreen);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->source, (SRect{0, 20, 50, 100}));
    EXPECT_EQ(c->y, 0);
    c = clipBlit(picture, picture, 10, 560, kScreen);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->source, (SRect{0, 0, 100, 40}));
}

TEST(BlitClipping, SourceClipDoesNotMoveThePosition)
{
    // The part of the rectangle outside the source is cut off, and the rest lands at (x, y).
    const auto c = clipBlit(SRect{-10, -10, 50, 50}, SRect{0, 0, 100, 100}, 5, 7, kScreen);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->source, (SRect{0, 0, 50, 50}));
    EXPECT_EQ(c->x, 5);
    EXPECT_EQ(c->y, 7);
}

TEST(BlitClipping, NothingLeftIsNothingToDraw)
{
    const SRect picture{0, 0, 100, 100};
    EXPECT_FALSE(clipBlit(picture, picture, 800, 0, kScreen));
    EXPECT_FALSE(clipBlit(picture, picture, -100, 0, kScreen));
    EXPECT_FALSE(clipBlit(picture, picture, 0, 600, kScreen));
    EXPECT_FALSE(clipBlit(SRect{100, 0, 200, 100}, picture, 0, 0, kScreen));
    EXPECT_FALSE(clipBlit(SRect{50, 0, 10, 100}, picture, 0, 0, kScreen)); // inverted
    EXPECT_FALSE(clipBlit(picture, picture, 0, 0, SRect{500, 0, 100, 600}));
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    EXPECT_FALSE(clipBlit(picture, picture, kMax, kMax, kScreen));
    EXPECT_FALSE(clipBlit(picture, picture, kMin, kMin, kScreen));
}

TEST(BlitClipping, ScaledClippingMovesTheSourceByTheScaledAmount)
{
    const SRect box{0, 0, 500, 100};
    // At scale 0.5 the box would cover x -34 .. 216; the 34 pixels cut off are 68 of the source.
    const auto s = clipScaledBlit(box, box, -159, 0, 0.5f, kScreen);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->destination, (SRect{0, 25, 216, 75}));
    EXPECT_EQ(s->source, (SRect{68, 0, 500, 100}));
    const auto right = clipScaledBlit(box, box, 700, 0, 2.0f, kScreen);
    ASSERT_TRUE(right);
    EXPECT_EQ(right->destination, (SRect{450, 0, 800, 150}));
    EXPECT_EQ(right->source, (SRect{0, 25, 175, 100}));
}

TEST(BlitClipping, HugeScalesStayInsideTheRectangleArithmetic)
{
    const SRect box{0, 0, 500, 100};
    const auto huge = clipScaledBlit(box, box, 0, 0, 1e6f, kScreen);
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->destination, kScreen);
    for (const float scale : {std::numeric_limits<float>::max(), std::numeric_limits<float>::infinity()}) {
        const auto extreme = clipScaledBlit(box, box, 0, 0, scale, kScreen);
        if (extreme) {
            EXPECT_LE(extreme->source.right, 500);
            EXPECT_GE(extreme->source.left, 0);
        }
    }
}

} // namespace
