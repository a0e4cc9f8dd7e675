#include "graphics/Blitters.h"
#include "graphics/CKeySpans.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

// The baseline loops must draw exactly what every wider loop this processor runs draws; the
// drawing tests check the widest loops against the per-pixel reference.
class SimdKernelTest : public ::testing::TestWithParam<ESurfaceFormat> {
protected:
    void SetUp() override
    {
        if (bestSimd() == ESimd::Baseline) {
            GTEST_SKIP() << "this processor runs the baseline loops only";
        }
    }

    static std::vector<ESimd> widePaths()
    {
        std::vector<ESimd> paths{ESimd::Avx2};
        if (bestSimd() == ESimd::Avx512) {
            paths.push_back(ESimd::Avx512);
        }
        return paths;
    }

    // About one pixel in `oneIn` is the key.
    CSurfaceMemory randomMemory(std::int32_t width, std::int32_t height, std::uint32_t key, std::uint32_t oneIn = 3)
    {
        CSurfaceMemory memory(width, height, GetParam(), 0);
        const std::int32_t bytes = pixelBytes(GetParam());
        for (std::int32_t y = 0; y < height; ++y) {
            std::uint8_t* row = memory.row(y);
            for (std::int32_t x = 0; x < width; ++x) {
                const std::uint32_t pixel = random_() % oneIn == 0 ? key : static_cast<std::uint32_t>(random_());
                std::memcpy(row + x * bytes, &pixel, static_cast<std::size_t>(bytes));
            }
        }
        return memory;
    }

    static bool same(const CSurfaceMemory& a, const CSurfaceMemory& b)
    {
        return std::memcmp(a.pixels(), b.pixels(), static_cast<std::size_t>(a.pitch() * a.height())) == 0;
    }

    std::mt19937 random_{static_cast<std::uint32_t>(GetParam())};
};

TEST_P(SimdKernelTest, BaselineAndWideLoopsAgree)
{
    for (int round = 0; round < 500; ++round) {
        const std::uint32_t key = static_cast<std::uint32_t>(random_());
        const std::int32_t width = 1 + static_cast<std::int32_t>(random_() % 70);
        const std::int32_t height = 1 + static_cast<std::int32_t>(random_() % 5);
        // From short runs between keys to rows without a key.
        const CSurfaceMemory source = randomMemory(width, height, key, 2 + static_cast<std::uint32_t>(random_() % 60));
        CSurfaceMemory narrow = randomMemory(80, 6, key);
        const ESimd path = widePaths()[static_cast<std::size_t>(round) % widePaths().size()];
        CSurfaceMemory wide(80, 6, GetParam(), 0);
        std::memcpy(wide.pixels(), narrow.pixels(), static_cast<std::size_t>(narrow.pitch() * narrow.height()));
        const SRect all{0, 0, width, height};
        const std::int32_t x = static_cast<std::int32_t>(random_() % static_cast<std::uint32_t>(81 - width));
        switch (round % 5) {
        case 0:
            Blitters::fill(narrow, key, ESimd::Baseline);
            Blitters::fill(wide, key, path);
            break;
        case 1:
            Blitters::copyKeyed(source, all, narrow, x, 1, key, ESimd::Baseline);
            Blitters::copyKeyed(source, all, wide, x, 1, key, path);
            break;
        case 2: {
            const CKeySpans spans(source, key);
            Blitters::copyKeyedSpans(spans, GetParam(), all, narrow, x, 1, ESimd::Baseline);
            Blitters::copyKeyedSpans(spans, GetParam(), all, wide, x, 1, path);
            break;
        }
        case 3: {
            // Runs of every length, so each loop's last, overlapping register is taken.
            const std::uint32_t alpha = static_cast<std::uint32_t>(random_() % 257);
            const std::uint32_t keyBits = pixelBytes(GetParam()) == 2 ? 0xFFFFu : 0xFFFFFFu;
            const CKeySpans spans(source, key, keyBits);
            Blitters::blendKeyedSpans(spans, GetParam(), all, narrow, x, 1, alpha, ESimd::Baseline);
            Blitters::blendKeyedSpans(spans, GetParam(), all, wide, x, 1, alpha, path);
            break;
        }
        default: {
            const std::uint32_t alpha = static_cast<std::uint32_t>(random_() % 257);
            Blitters::blendKeyed(source, all, narrow, x, 1, key, alpha, ESimd::Baseline);
            Blitters::blendKeyed(source, all, wide, x, 1, key, alpha, path);
            break;
        }
        }
        ASSERT_TRUE(same(narrow, wide)) << "round " << round << ", width " << width;
    }
}

// The blend from a table split for the widest loop, on every path: sources clipped anywhere
// in the picture and drawn at any column, so chunks start and end partly outside the
// rectangle and the rows of the target, at every alpha.
TEST_P(SimdKernelTest, SplitTableBlendsAlikeOnEveryPath)
{
    const std::uint32_t keyBits = pixelBytes(GetParam()) == 2 ? 0xFFFFu : 0xFFFFFFu;
    for (int round = 0; round < 400; ++round) {
        const std::uint32_t key = static_cast<std::uint32_t>(random_());
        const std::int32_t width = 1 + static_cast<std::int32_t>(random_() % 140);
        const std::int32_t height = 1 + static_cast<std::int32_t>(random_() % 4);
        const CSurfaceMemory source = randomMemory(width, height, key, 2 + static_cast<std::uint32_t>(random_() % 40));
        CKeySpans spans(source, key, keyBits);
        spans.splitForBlend(source, static_cast<std::int32_t>(random_() % 64) - 32);
        const std::int32_t left = static_cast<std::int32_t>(random_() % static_cast<std::uint32_t>(width));
        const std::int32_t right = left + 1 + static_cast<std::int32_t>(random_() % static_cast<std::uint32_t>(width - left));
        const SRect part{left, 0, right, height};
        const std::int32_t x = static_cast<std::int32_t>(random_() % static_cast<std::uint32_t>(151 - (right - left)));
        // 0, 128 and 256 are the loops' edge cases.
        const std::uint32_t alpha = round % 9 == 0 ? static_cast<std::uint32_t>(round / 9 % 3) * 128u
                                                   : static_cast<std::uint32_t>(random_() % 257);
        const CSurfaceMemory target = randomMemory(150, 5, key);
        CSurfaceMemory narrow = target;
        Blitters::blendKeyedSpans(spans, GetParam(), part, narrow, x, 1, alpha, ESimd::Baseline);
        for (const ESimd path : widePaths()) {
            CSurfaceMemory wide = target;
            Blitters::blendKeyedSpans(spans, GetParam(), part, wide, x, 1, alpha, path);
            ASSERT_TRUE(same(narrow, wide)) << "round " << round << ", path " << static_cast<int>(path) << ", alpha "
                                            << alpha << ", columns " << left << ".." << right << " at " << x;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, SimdKernelTest,
                         ::testing::Values(ESurfaceFormat::Rgb555, ESurfaceFormat::Rgb565, ESurfaceFormat::Bgr24,
                                           ESurfaceFormat::Bgrx32),
                         [](const auto& format) { return std::to_string(static_cast<int>(format.param)) + "bits"; });

} // namespace

namespace {

// The split table holds every pixel's channels (at 15 and 16 bits each in its own byte) at the
// lane its phase gives, with a bit for each pixel that is not the key; a new phase lays it out again.
TEST(KeySpansSplit, EveryPixelsChannelsAndKeyBitAtThePhasesLane)
{
    for (const ESurfaceFormat format : {ESurfaceFormat::Rgb555, ESurfaceFormat::Rgb565}) {
        const bool red565 = format == ESurfaceFormat::Rgb565;
        CSurfaceMemory memory(45, 2, format, 0);
        const std::uint16_t key = 0x0421;
        for (std::int32_t y = 0; y < 2; ++y) {
            for (std::int32_t x = 0; x < 45; ++x) {
                // The top bit set at 16 bits, where it is red's.
                const unsigned value = (red565 ? 0x8000u : 0u) + 1237u * static_cast<unsigned>(x + 45 * y);
                const auto pixel = static_cast<std::uint16_t>(x % 7 == 3 ? key : value);
                std::memcpy(memory.row(y) + 2 * x, &pixel, 2);
            }
        }
        CKeySpans spans(memory, key, 0xFFFF);
        for (const std::int32_t phase : {0, 5, -3}) {
            spans.splitForBlend(memory, phase);
            ASSERT_TRUE(spans.splitForBlend());
            const std::int32_t lane0 = (phase + 32) % 32;
            EXPECT_EQ(spans.blendPhase(), lane0);
            for (std::int32_t y = 0; y < 2; ++y) {
                for (std::int32_t x = 0; x < 45; ++x) {
                    std::uint16_t pixel;
                    std::memcpy(&pixel, memory.row(y) + 2 * x, 2);
                    const std::int32_t lane = x + lane0;
                    const unsigned red = red565 ? pixel >> 11 : (pixel >> 10) & 0x1Fu;
                    const unsigned green = (pixel >> 5) & (red565 ? 0x3Fu : 0x1Fu);
                    EXPECT_EQ(spans.blueRedOf(y)[lane], ((pixel & 0x1Fu) << 8) | red) << x << "," << y;
                    EXPECT_EQ(spans.greenOf(y)[lane], green) << x << "," << y;
                    EXPECT_EQ((spans.drawnBitsOf(y)[lane / 32] >> (lane % 32)) & 1u, pixel != key ? 1u : 0u) << x;
                }
            }
        }
    }
    // At 32 bits the pixels stay whole, 16 to a chunk, and the key is their colour only.
    CSurfaceMemory memory(21, 2, ESurfaceFormat::Bgrx32, 0);
    const std::uint32_t key = 0x00123456;
    for (std::int32_t y = 0; y < 2; ++y) {
        for (std::int32_t x = 0; x < 21; ++x) {
            const std::uint32_t pixel = x % 5 == 2 ? key | 0xAB000000u : 0x9E3779B1u * static_cast<std::uint32_t>(x + 21 * y);
            std::memcpy(memory.row(y) + 4 * x, &pixel, 4);
        }
    }
    CKeySpans spans(memory, key, 0xFFFFFF);
    for (const std::int32_t phase : {0, 7, -3}) {
        spans.splitForBlend(memory, phase);
        const std::int32_t lane0 = (phase + 16) % 16;
        EXPECT_EQ(spans.blendPhase(), lane0);
        for (std::int32_t y = 0; y < 2; ++y) {
            for (std::int32_t x = 0; x < 21; ++x) {
                std::uint32_t pixel;
                std::memcpy(&pixel, memory.row(y) + 4 * x, 4);
                const std::int32_t lane = x + lane0;
                EXPECT_EQ(spans.pixelsOf(y)[lane], pixel) << x << "," << y;
                EXPECT_EQ((spans.drawnBitsOf(y)[lane / 16] >> (lane % 16)) & 1u, (pixel & 0xFFFFFFu) != key ? 1u : 0u) << x;
            }
        }
    }
    CSurfaceMemory deep(8, 1, ESurfaceFormat::Bgr24, 0);
    CKeySpans unsplit(deep, 1);
    unsplit.splitForBlend(deep, 0);
    EXPECT_FALSE(unsplit.splitForBlend());
}

} // namespace
