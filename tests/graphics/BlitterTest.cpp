#include "BlitReference.h"
#include "GraphicsTestSupport.h"

#include "graphics/BlitterRows.h"
#include "graphics/GraphicsResult.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <numeric>

namespace {

PixelImage imageOf(CSurface& surface)
{
    return PixelImage{surface.width(), surface.height(), surface.format().depth, surface.clipRect(),
                      surface.colorKey(), readPixels(surface)};
}

// A rectangle around a surface of this size: inside, across any edge, outside, or inverted.
SRect randomRect(std::int32_t width, std::int32_t height, std::mt19937& random)
{
    std::uniform_int_distribution<std::int32_t> across(-12, width + 12);
    std::uniform_int_distribution<std::int32_t> down(-12, height + 12);
    return SRect{across(random), down(random), across(random), down(random)};
}

std::uint32_t randomKey(std::uint32_t depth, std::mt19937& random)
{
    return static_cast<std::uint32_t>(random()) & (depth == 32 ? ~0u : depth == 24 ? 0xFFFFFFu : 0xFFFFu);
}

enum class Mode { Opaque, Keyed, Blend, Scaled };

struct Draw {
    Mode mode = Mode::Opaque;
    std::int32_t x = 0, y = 0;
    std::optional<SRect> rect;
    std::uint32_t alpha = 0;
    float scale = 1.0f;

    std::string describe() const
    {
        const SRect r = rect.value_or(SRect{});
        std::string text = "mode " + std::to_string(int(mode)) + " alpha " + std::to_string(alpha) +
                           " scale " + std::to_string(scale) + (rect ? " with" : " without") + " rect; at";
        for (const std::int32_t v : {x, y, r.left, r.top, r.right, r.bottom})
            text += " " + std::to_string(v);
        return text;
    }
};

// Draws onto the expected picture by the reference, then onto the target fast.
std::int32_t drawBoth(CSurface& source, PixelImage& sourceImage, CSurface& target, PixelImage& expected,
                      const Draw& d)
{
    switch (d.mode) {
    case Mode::Opaque:
        referenceOpaque(sourceImage, expected, d.x, d.y, d.rect);
        return source.Opaque(target, d.x, d.y, d.rect);
    case Mode::Keyed:
        referenceKeyed(sourceImage, expected, d.x, d.y, d.rect);
        return source.Keyed(target, d.x, d.y, d.rect);
    case Mode::Blend:
        referenceBlend(sourceImage, expected, d.x, d.y, d.rect, d.alpha);
        return source.KeyedBlend(target, d.x, d.y, d.rect, d.alpha);
    case Mode::Scaled:
        referenceScaled(sourceImage, expected, d.x, d.y, d.rect, d.scale);
        return source.KeyedScaled(target, d.x, d.y, d.rect, d.scale);
    }
    return -1;
}

// Where two pictures first differ, or nothing.
std::string firstDifference(const std::vector<std::uint32_t>& actual, const PixelImage& expected)
{
    const auto at = std::size_t(std::mismatch(actual.begin(), actual.end(), expected.pixels.begin()).first - actual.begin());
    const auto width = std::size_t(expected.width);
    if (at == actual.size())
        return {};
    return "pixel " + std::to_string(at % width) + ", " + std::to_string(at / width) + " is " +
           std::to_string(actual[at]) + ", expected " + std::to_string(expected.pixels[at]);
}

Draw randomDraw(Mode mode, const CSurface& source, const CSurface& target, std::mt19937& random)
{
    Draw d{mode, std::uniform_int_distribution<std::int32_t>(-source.width() - 4, target.width() + 4)(random),
           std::uniform_int_distribution<std::int32_t>(-source.height() - 4, target.height() + 4)(random)};
    if (random() % 3 != 0)
        d.rect = randomRect(source.width(), source.height(), random);
    const std::uint32_t alphas[] = {0, 1, 64, 128, 255, 256, 300, 65536 + 77};
    d.alpha = random() % 2 == 0 ? alphas[random() % 8] : static_cast<std::uint32_t>(random() % 257);
    const float scales[] = {0.0f, -0.5f, 0.05f, 0.5f, 0.95f, 1.0f, 1.5f, 2.0f};
    d.scale = random() % 2 == 0 ? scales[random() % 8] : std::uniform_real_distribution<float>(0.01f, 3.0f)(random);
    return d;
}

class BlitterTest : public ::testing::TestWithParam<std::uint32_t> {
protected:
    void SetUp() override { test_ = openTestScreen(GetParam(), 80, 60); }
    CScreen& screen() { return *test_.screen; }

    // Draws once fast and once by the reference onto the same picture and compares. The
    // source is read by the caller: locking it would discard its table of keyed runs.
    void checkDraw(CSurface& source, PixelImage& sourceImage, CSurface& target, const Draw& d)
    {
        PixelImage expected = imageOf(target);
        EXPECT_GE(drawBoth(source, sourceImage, target, expected, d), 0) << d.describe();
        const std::string difference = firstDifference(readPixels(target), expected);
        ASSERT_TRUE(difference.empty()) << GetParam() << " bits, " << d.describe() << ": " << difference;
    }

    TestScreen test_;
};

TEST_P(BlitterTest, EveryModeMatchesThePerPixelReferenceOnRandomDraws)
{
    std::mt19937 random(GetParam() * 7919u);
    for (int round = 0; round < 600; ++round) {
        const auto mode = static_cast<Mode>(round % 4);
        std::uniform_int_distribution<std::int32_t> side(1, 37);
        const std::uint32_t key = randomKey(GetParam(), random);
        auto source = randomSurface(screen(), side(random), side(random), key, 0.4, random);
        auto target = randomSurface(screen(), side(random) + 10, side(random) + 10, key, 0.1, random);
        source->SetColorKey(key);
        for (CSurface* surface : {source.get(), target.get()})
            if (random() % 3 == 0)
                surface->SetClipRect(randomRect(surface->width(), surface->height(), random));
        PixelImage sourceImage = imageOf(*source);
        // Later keyed copies and blends of an unchanged picture run from its table of runs.
        const int draws = mode == Mode::Keyed || mode == Mode::Blend ? 3 : 1;
        for (int draw = 0; draw < draws; ++draw)
            checkDraw(*source, sourceImage, *target, randomDraw(mode, *source, *target, random));
    }
}

TEST_P(BlitterTest, DrawsOntoItselfAsIfFromACopy)
{
    std::mt19937 random(GetParam());
    for (int round = 0; round < 200; ++round) {
        const std::uint32_t key = randomKey(GetParam(), random);
        auto surface = randomSurface(screen(), 30, 20, key, 0.3, random);
        surface->SetColorKey(key);
        Draw d = randomDraw(static_cast<Mode>(round % 4), *surface, *surface, random);
        d.x = std::uniform_int_distribution<std::int32_t>(-5, 10)(random);
        d.y = std::uniform_int_distribution<std::int32_t>(-5, 10)(random);
        PixelImage before = imageOf(*surface);
        checkDraw(*surface, before, *surface, d);
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, BlitterTest, ::testing::Values(15u, 16u, 24u, 32u),
                         [](const auto& depth) { return std::to_string(depth.param) + "bits"; });

// A 16-bit picture of one pixel value, drawn blended onto another.
std::uint32_t blendOnePixel(std::uint32_t depth, std::uint32_t source, std::uint32_t target, std::uint32_t alpha)
{
    auto test = openTestScreen(depth, 8, 8);
    CSurface from, onto;
    from.Create(*test.screen, 1, 1, 2);
    onto.Create(*test.screen, 1, 1, 2);
    writePixels(from, {source});
    writePixels(onto, {target});
    from.SetColorKey(source == 0x1234 ? 0x4321 : 0x1234);
    EXPECT_EQ(from.KeyedBlend(onto, 0, 0, std::nullopt, alpha), 0);
    return readPixel(onto, 0, 0);
}

TEST(KeyedBlend, WorkedExampleOnSixteenBits)
{
    EXPECT_EQ(blendOnePixel(16, 0xF800, 0x001F, 64), 0xB807u);
    EXPECT_EQ(blendOnePixel(16, 0xF800, 0x001F, 0), 0xF800u);
    EXPECT_EQ(blendOnePixel(16, 0xF800, 0x001F, 256), 0x001Fu);
    // Above 256 the destination stays; only the low 16 bits of alpha count.
    EXPECT_EQ(blendOnePixel(32, 0x00FF8040, 0x12345678, 300), 0x12345678u);
    EXPECT_EQ(blendOnePixel(16, 0xF800, 0x001F, 65536 + 64), 0xB807u);
}

// Builds without vector registers copy every keyed run shorter than the library copy's with
// this; it once moved only a run's first and last 8 bytes, leaving holes in the figures.
TEST(KeyedRuns, ShortRunCopyMovesEveryByteOfEveryLengthAndNoOther)
{
    std::vector<std::uint8_t> from(200);
    std::iota(from.begin(), from.end(), std::uint8_t{1});
    for (std::size_t count = 0; count <= 160; ++count) {
        std::vector<std::uint8_t> to(count + 16, 0xEE), expected = to;
        std::copy_n(from.begin(), count, expected.begin() + 8);
        BlitterRows::copyShortRun(to.data() + 8, from.data(), count);
        EXPECT_EQ(to, expected) << count << " bytes";
    }
}

TEST(KeyedScaled, HalfSizeBoxKeepsItsCentre)
{
    auto test = openTestScreen(16, 800, 600);
    CSurface box;
    box.Create(*test.screen, 500, 100, 2);
    box.Fill(0x07E0);
    box.SetColorKey(0);
    ASSERT_EQ(box.KeyedScaled(*test.screen->back(), 141, 505, std::nullopt, 0.5f), 0);
    EXPECT_EQ(inkBox(*test.screen->back()), (SRect{266, 530, 516, 580}));
}

// Without surfaces, onto another format or at no positive scale nothing is drawn.
TEST(Blit, WhatCannotBeDrawnLeavesTheTargetAlone)
{
    auto sixteen = openTestScreen(16, 100, 100);
    auto thirtyTwo = openTestScreen(32, 100, 100);
    CSurface empty;
    CSurface& back = *thirtyTwo.screen->back();
    EXPECT_EQ(empty.Opaque(back, 0, 0), -1);
    EXPECT_EQ(empty.Keyed(back, 0, 0), -1);
    EXPECT_EQ(empty.KeyedScaled(back, 0, 0, std::nullopt, 1.0f), -1);
    EXPECT_EQ(empty.KeyedBlend(back, 0, 0, std::nullopt, 0), -1);
    EXPECT_EQ(back.Opaque(empty, 0, 0), -1);
    CSurface other;
    other.Create(*sixteen.screen, 4, 4, 2);
    other.Fill(0xFFFF);
    EXPECT_EQ(other.KeyedBlend(back, 0, 0, std::nullopt, 0), 0);
    EXPECT_EQ(other.Opaque(back, 0, 0), GraphicsResult::kInvalidPixelFormat);
    EXPECT_EQ(back.lockCount() + other.lockCount(), 0u);
    CSurface box;
    box.Create(*thirtyTwo.screen, 50, 10, 2);
    box.Fill(0xFFFFFF);
    for (const float scale :
         {0.0f, -0.0f, -1.0f, 1e-9f, 0.001f, -0.05f, std::numeric_limits<float>::quiet_NaN()})
        EXPECT_EQ(box.KeyedScaled(back, 10, 10, std::nullopt, scale), 0);
    EXPECT_EQ(inkBox(back), (SRect{100, 100, 0, 0}));
}

} // namespace
