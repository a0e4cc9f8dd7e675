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

TEST_F(FramePacerTest, PresentsFasterThanSixtyHertzWaitForTheRest)
{
    pacer_.beforePresent();
    EXPECT_TRUE(sleeps_.empty());
    clock_.advanceMilliseconds(2);
    pacer_.beforePresent();
    ASSERT_EQ(sleeps_.size(), 1u);
    EXPECT_EQ(sleeps_[0], kPeriod - 2'000'000);
    // A loop that does nothing but present runs at 60 frames a second.
    const std::int64_t start = clock_.counter();
    for (int frame = 0; frame < 60; ++frame) {
        pacer_.beforePresent();
    }
    EXPECT_EQ(clock_.counter() - start, 60 * kPeriod);
    // Slow frames are never delayed.
    sleeps_.clear();
    for (int frame = 0; frame < 10; ++frame) {
        clock_.advanceMilliseconds(20);
        pacer_.beforePresent();
    }
    EXPECT_TRUE(sleeps_.empty());
}

TEST_F(FramePacerTest, WorksWithAnyCounterFrequency)
{
    clock_.setFrequency(1000);
    clock_.setCounter(5);
    pacer_.beforePresent();
    clock_.setCounter(10);
    pacer_.beforePresent();
    ASSERT_EQ(sleeps_.size(), 1u);
    EXPECT_EQ(sleeps_[0], kPeriod - 5'000'000);
}

} // namespace
