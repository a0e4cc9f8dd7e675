#include "shell/CTimerList.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Counts its calls, notes its name in the shared order and runs `during` inside each call.
struct CountingTarget {
    std::string& order;
    char name;
    int calls = 0;
    std::function<void()> during;

    void fire()
    {
        ++calls;
        order += name;
        if (during) {
            during();
        }
    }
    STimerCallback callback() { return timerCallback<&CountingTarget::fire>(*this); }
};

class TimerListTest : public ::testing::Test {
protected:
    CManualClock clock;
    CTimerList timers{clock};
    std::string order;
    CountingTarget a{order, 'a'};
    CountingTarget b{order, 'b'};

    void SetUp() override { clock.setCounter(123'456'789); }
    void startBoth(int periodA, int periodB)
    {
        timers.add(a.callback(), periodA);
        timers.add(b.callback(), periodB);
        timers.start(a.callback());
        timers.start(b.callback());
    }
    // Lets `ms` pass, then ticks; gives a's calls so far.
    int after(int ms)
    {
        clock.advanceMilliseconds(ms);
        timers.tick();
        return a.calls;
    }
};

// Once per whole period; after a fresh start 44 ms give two runs and the 14 ms beyond them
// are lost. Three seconds without ticks are caught up in full.
TEST_F(TimerListTest, RunsOncePerWholePeriodDropsTheRemainderAndCatchesUp)
{
    startBoth(15, 90);
    EXPECT_EQ(after(14), 0);
    EXPECT_EQ(after(1), 1);
    timers.start(a.callback());
    EXPECT_EQ(after(44), 3);
    EXPECT_EQ(after(14), 3);
    EXPECT_EQ(after(1), 4);
    timers.start(b.callback());
    EXPECT_EQ(after(3000), 204);
    EXPECT_EQ(b.calls, 33);
}

// Entries start disabled; unknown ones are ignored; a start on a running entry restarts its
// period. Of two entries of one callback only the first is started, and a remove takes both.
TEST_F(TimerListTest, DisabledUnknownRestartedAndDuplicateEntries)
{
    timers.add(a.callback(), 15);
    EXPECT_EQ(after(1000), 0);
    timers.start(b.callback());
    timers.stop(b.callback());
    timers.remove(b.callback());
    EXPECT_EQ(timers.entryCount(), 1u);
    timers.start(a.callback());
    timers.stop(a.callback());
    EXPECT_EQ(after(1000), 0);

    timers.start(a.callback());
    clock.advanceMilliseconds(10);
    timers.start(a.callback());
    EXPECT_EQ(after(10), 0);
    EXPECT_EQ(after(5), 1);

    timers.add(a.callback(), 15);
    EXPECT_EQ(timers.entryCount(), 2u);
    timers.start(a.callback());
    EXPECT_EQ(after(15), 2);
    timers.remove(a.callback());
    EXPECT_EQ(timers.entryCount(), 0u);
    EXPECT_EQ(after(15), 2);
}

// Entries run in the order they were added; stopAll stops every one. A callback that stops
// itself still gets the rest of its catch-up; one may add entries while the list is walked, and
// a removed entry stops at once.
TEST_F(TimerListTest, OrderStopAllAndChangesDuringATick)
{
    CountingTarget third{order, 'c'};
    startBoth(15, 15);
    timers.add(third.callback(), 15);
    timers.remove(b.callback());
    timers.start(third.callback());
    after(15);
    EXPECT_EQ(order, "ac");
    timers.stopAll();
    EXPECT_EQ(after(100), 1);
    timers.remove(third.callback());

    timers.add(b.callback(), 15);
    timers.start(a.callback());
    timers.start(b.callback());
    a.during = [this] { timers.stop(a.callback()); };
    EXPECT_EQ(after(60), 5);
    EXPECT_FALSE(timers.isEnabled(a.callback()));
    EXPECT_EQ(after(60), 5);

    timers.start(a.callback());
    a.during = [this, adds = 1]() mutable {
        for (; adds > 0; --adds) {
            timers.add(a.callback(), 15);
        }
    };
    b.during = [this] { timers.remove(b.callback()); };
    b.calls = 0;
    EXPECT_EQ(after(45), 8);
    EXPECT_EQ(b.calls, 1);
    EXPECT_EQ(timers.entryCount(), 2u);
}

// Time in the clock's own units: 60-Hz frames run the 15-ms timer every frame and the 30-ms
// one every second, on a microsecond clock and on a millisecond one alike. A period below one
// millisecond counts as one.
TEST_F(TimerListTest, TicksFromTheClockAtItsOwnFrequency)
{
    for (const std::int64_t frequency : {1'000'000, 1000}) {
        CManualClock other;
        other.setFrequency(frequency);
        CTimerList list(other);
        a.calls = b.calls = 0;
        list.add(a.callback(), 15);
        list.add(b.callback(), 30);
        list.start(a.callback());
        list.start(b.callback());
        for (int frame = 0; frame < 60; ++frame) {
            other.setCounter(other.counter() + frequency / 60);
            list.tick();
        }
        EXPECT_EQ(a.calls, 60) << frequency;
        EXPECT_EQ(b.calls, 30) << frequency;
    }
    a.calls = b.calls = 0;
    startBoth(0, -5);
    EXPECT_EQ(after(3), 3);
    EXPECT_EQ(b.calls, 3);
}

} // namespace
