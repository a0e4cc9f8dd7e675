#include "graphics/CFramePacer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr std::int64_t kPeriod = 1'000'000'000 / 60;

class FramePacerTest : public ::testing::Test {
protected:
    FramePacerTest()
        : pacer_(clock_, [this](std::int64_t ns) {
              sleeps_.push_back(ns);
              clock_.setCounter(clock_.counter() + ns);
          })
    {
    }

    CManualClock clock_;
    std::vector<std::int64_t> sleeps_;
    CFramePacer pacer_;
};

TEST_F(FramePacerTest, PresentsFasterThanSixtyHertzWaitForTheRestAtAnyCounterFrequency)
{
    pacer_.beforePresent();
    EXPECT_TRUE(sleeps_.empty());
    clock_.advanceMilliseconds(2);
    pacer_.beforePresent();
    ASSERT_EQ(sleeps_.size(), 1u);
    EXPECT_EQ(sleeps_[0], kPeriod - 2'000'000);
    // A loop that does nothing but present runs at 60 frames a second.
    const std::int64_t start = clock_.counter();
    for (int frame = 0; frame < 60; ++frame)
        pacer_.beforePresent();
    EXPECT_EQ(clock_.counter() - start, 60 * kPeriod);
    // Slow frames are never delayed.
    sleeps_.clear();
    for (int frame = 0; frame < 10; ++frame) {
        clock_.advanceMilliseconds(20);
        pacer_.beforePresent();
    }
    EXPECT_TRUE(sleeps_.empty());
    // Any counter frequency: at 1000 a second, 5 ticks are 5 ms.
    CManualClock slow;
    slow.setFrequency(1000);
    slow.setCounter(5);
    CFramePacer pacer(slow, [&](std::int64_t ns) { sleeps_.push_back(ns); });
    pacer.beforePresent();
    slow.setCounter(10);
    pacer.beforePresent();
    EXPECT_EQ(sleeps_, std::vector<std::int64_t>{kPeriod - 5'000'000});
}

} // namespace
