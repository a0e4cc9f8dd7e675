#include "platform/win32/Win32Clock.h"

#include "platform/win32/Win32Api.h"

#include <gtest/gtest.h>

TEST(Win32Clock, CounterMeasuresASleepInItsOwnTicks)
{
    const CWin32Clock clock;
    ASSERT_GT(clock.frequency(), 1000);
    const std::int64_t start = clock.counter();
    Sleep(50);
    const std::int64_t elapsedMs = (clock.counter() - start) * 1000 / clock.frequency();
    EXPECT_GE(elapsedMs, 45);
    EXPECT_LT(elapsedMs, 2000);
    EXPECT_GT(clock.calendarSeconds(), 1'600'000'000);
}
