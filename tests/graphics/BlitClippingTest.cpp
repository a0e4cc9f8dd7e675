#include "graphics/BlitClipping.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

namespace {

const SRect kScreen{0, 0, 800, 600};

// Each edge cuts the source along with the target; a source clip cuts the source only, and
// the rest lands at (x, y); nothing left is nothing to draw.
TEST(BlitClipping, CutsEveryEdgeAndMovesTheSourceAlong)
{
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    const SRect picture{0, 0, 100, 100};
    // Source, x, y, target and what is left.
    const std::tuple<SRect, std::int32_t, std::int32_t, SRect, std::optional<SClippedBlit>> cases[] = {
        {picture, 750, -20, kScreen, SClippedBlit{{0, 20, 50, 100}, 750, 0}},
        {picture, 10, 560, kScreen, SClippedBlit{{0, 0, 100, 40}, 10, 560}},
        {{-10, -10, 50, 50}, 5, 7, kScreen, SClippedBlit{{0, 0, 50, 50}, 5, 7}},
        {picture, 800, 0, kScreen, std::nullopt},
        {picture, -100, 0, kScreen, std::nullopt},
        {picture, 0, 600, kScreen, std::nullopt},
        {{100, 0, 200, 100}, 0, 0, kScreen, std::nullopt},
        {{50, 0, 10, 100}, 0, 0, kScreen, std::nullopt}, // inverted
        {picture, 0, 0, {500, 0, 100, 600}, std::nullopt},
        {picture, kMax, kMax, kScreen, std::nullopt},
        {picture, kMin, kMin, kScreen, std::nullopt},
    };
    for (const auto& [source, x, y, target, expected] : cases) {
        const auto clipped = clipBlit(source, picture, x, y, target);
        ASSERT_EQ(clipped.has_value(), expected.has_value()) << x << ", " << y;
        EXPECT_TRUE(!clipped || (clipped->source == expected->source && clipped->x == expected->x &&
                                 clipped->y == expected->y))
            << x << ", " << y;
    }
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
