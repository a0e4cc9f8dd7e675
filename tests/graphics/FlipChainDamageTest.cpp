#include "graphics/FlipChainDamage.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

constexpr std::int32_t kWidth = 24;
constexpr std::int32_t kHeight = 16;

using Picture = std::vector<int>;

// A display's flip chain in plain memory: pictures that take turns at the front.
struct SimulatedChain {
    explicit SimulatedChain(std::int32_t count) : buffers(static_cast<std::size_t>(count), Picture(kWidth * kHeight, -1)) {}

    Picture& back() { return buffers[(front + 1) % buffers.size()]; }
    const Picture& shown() const { return buffers[front]; }
    void flip() { front = (front + 1) % buffers.size(); }

    std::vector<Picture> buffers;
    std::size_t front = 0;
};

void copyPart(const Picture& frame, Picture& target, const SRect& part)
{
    for (std::int32_t y = part.top; y < part.bottom; ++y) {
        for (std::int32_t x = part.left; x < part.right; ++x)
            target[y * kWidth + x] = frame[y * kWidth + x];
    }
}

// What the display does with one frame: note its change, and unless the front already shows
// it, bring the back buffer up to date and flip. Returns whether it flipped.
bool present(CFlipChainDamage& damage, SimulatedChain& chain, const Picture& frame, const SRect& changed)
{
    damage.frameChanged(changed);
    if (damage.frontIsCurrent())
        return false;
    if (const std::optional<SRect> part = damage.backBufferStale())
        copyPart(frame, chain.back(), *part);
    chain.flip();
    damage.drawnAndFlipped();
    return true;
}

SRect randomRect(std::mt19937& random)
{
    const std::int32_t left = std::int32_t(random() % kWidth), top = std::int32_t(random() % kHeight);
    return SRect{left, top, std::min<std::int32_t>(kWidth, left + 1 + random() % 8), std::min<std::int32_t>(kHeight, top + 1 + random() % 6)};
}

class FlipChainDamageTest : public ::testing::TestWithParam<std::int32_t> {};

// A whole picture (the loader's), then a new screen, then small changes only: an older picture
// must never come back to the front around the copied parts.
TEST_P(FlipChainDamageTest, TheFrontAlwaysShowsTheNewestFrame)
{
    CFlipChainDamage damage(GetParam(), kWidth, kHeight);
    SimulatedChain chain(GetParam());
    std::mt19937 random(7);
    Picture frame(kWidth * kHeight, 1);
    for (int step = -2; step < 400; ++step) {
        if (step < 0) { // the loader's picture, then a new screen
            std::fill(frame.begin(), frame.end(), -100 + step);
            ASSERT_TRUE(present(damage, chain, frame, SRect{0, 0, kWidth, kHeight}));
            ASSERT_EQ(chain.shown(), frame);
            continue;
        }
        // Every fifth frame shows nothing new, or a change wholly outside: nothing is copied or flipped.
        SRect changed = step % 10 == 9 ? SRect{-8, -8, 0, 4} : SRect{};
        if (step % 5 != 4) {
            changed = randomRect(random);
            copyPart(Picture(kWidth * kHeight, 10 + step), frame, changed);
        }
        EXPECT_EQ(present(damage, chain, frame, changed), step % 5 != 4) << "frame " << step;
        ASSERT_EQ(chain.shown(), frame) << "frame " << step;
    }
}

TEST_P(FlipChainDamageTest, AfterARestoreEveryBufferIsDrawnWholeBeforeItIsShown)
{
    CFlipChainDamage damage(GetParam(), kWidth, kHeight);
    SimulatedChain chain(GetParam());
    Picture frame(kWidth * kHeight, 4);
    for (int step = 0; step < 3; ++step)
        present(damage, chain, frame, SRect{});
    EXPECT_TRUE(damage.frontIsCurrent());
    // A restored surface keeps no picture.
    for (Picture& buffer : chain.buffers)
        std::fill(buffer.begin(), buffer.end(), -1);
    damage.forgetAll();
    EXPECT_EQ(damage.backBufferStale(), (SRect{0, 0, kWidth, kHeight}));
    ASSERT_TRUE(present(damage, chain, frame, SRect{}));
    EXPECT_EQ(chain.shown(), frame);
    EXPECT_FALSE(present(damage, chain, frame, SRect{}));
    // One pixel changes: each buffer that comes to the front next is drawn whole.
    for (std::int32_t i = 1; i < GetParam(); ++i) {
        frame[i] = 50 + i;
        EXPECT_EQ(damage.backBufferStale(), (SRect{0, 0, kWidth, kHeight}));
        ASSERT_TRUE(present(damage, chain, frame, SRect{i, 0, i + 1, 1}));
        EXPECT_EQ(chain.shown(), frame);
    }
}

INSTANTIATE_TEST_SUITE_P(BufferCounts, FlipChainDamageTest, ::testing::Values(1, 2, 3));

TEST(FlipChainDamage, TheBackBufferOfTwoCollectsTheChangesOfTheLastTwoFrames)
{
    CFlipChainDamage damage(2, kWidth, kHeight);
    damage.drawnAndFlipped();
    damage.drawnAndFlipped(); // both buffers hold the frame
    ASSERT_EQ(damage.backBufferStale(), std::nullopt);
    damage.frameChanged(SRect{2, 2, 4, 4});
    EXPECT_EQ(damage.backBufferStale(), (SRect{2, 2, 4, 4}));
    damage.drawnAndFlipped();
    damage.frameChanged(SRect{10, 1, 12, 3});
    // The buffer now at the back missed both changes.
    EXPECT_EQ(damage.backBufferStale(), (SRect{2, 1, 12, 4}));
    damage.drawnAndFlipped();
    EXPECT_EQ(damage.backBufferStale(), (SRect{10, 1, 12, 3}));
    EXPECT_TRUE(damage.frontIsCurrent());
    // Parts outside the frame are cut off.
    damage.frameChanged(SRect{20, 12, 40, 30});
    EXPECT_EQ(damage.backBufferStale(), (SRect{10, 1, kWidth, kHeight}));
}

} // namespace
