#include "shell/CTimerList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Counts its calls and can be told to act on the list from inside a call.
struct CountingTarget {
    int calls = 0;
    CTimerList* list = nullptr;
    bool stopSelf = false;
    bool removeSelf = false;
    bool addAnother = false;

    void fire()
    {
        ++calls;
        if (stopSelf) {
            list->stop(callback());
        }
        if (removeSelf) {
            list->remove(callback());
        }
        if (addAnother) {
            addAnother = false;
            list->add(callback(), 15);
        }
    }
    STimerCallback callback() { return timerCallback<&CountingTarget::fire>(*this); }
};

class TimerListTest : public ::testing::Test {
protected:
    CManualClock clock;
    CTimerList timers{clock};
    CountingTarget a;
    CountingTarget b;

    void SetUp() override
    {
        clock.setCounter(123'456'789);
        a.list = b.list = &timers;
    }
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

TEST_F(TimerListTest, APeriodBelowOneMillisecondCountsAsOne)
{
    startBoth(0, -5);
    EXPECT_EQ(after(3), 3);
    EXPECT_EQ(b.calls, 3);
}

// Entries start disabled; unknown ones are ignored; a start on a running entry restarts its
// period.
TEST_F(TimerListTest, DisabledUnknownAndRestartedEntries)
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
}

TEST_F(TimerListTest, DuplicateCallbacksMakeTwoEntriesAndOnlyTheFirstIsStarted)
{
    timers.add(a.callback(), 15);
    timers.add(a.callback(), 15);
    EXPECT_EQ(timers.entryCount(), 2u);
    timers.start(a.callback());
    EXPECT_EQ(after(15), 1);
    timers.remove(a.callback());
    EXPECT_EQ(timers.entryCount(), 0u);
    EXPECT_EQ(after(15), 1);
}

TEST_F(TimerListTest, StopAllAndRemoveKeepTheOthersInOrder)
{
    std::vector<std::string> order;
    struct Named {
        std::vector<std::string>* log;
        std::string name;
        void fire() { log->push_back(name); }
    } first{&order, "first"}, second{&order, "second"}, third{&order, "third"};
    for (Named* named : {&first, &second, &third}) {
        timers.add(timerCallback<&Named::fire>(*named), 15);
    }
    timers.remove(timerCallback<&Named::fire>(second));
    timers.start(timerCallback<&Named::fire>(third));
    timers.start(timerCallback<&Named::fire>(first));
    after(15);
    EXPECT_EQ(order, (std::vector<std::string>{"first", "third"}));
    timers.stopAll();
    after(100);
    EXPECT_EQ(order.size(), 2u);
}

// A callback that stops itself still gets the rest of its catch-up; one may add entries while
// the list is walked, and a removed entry stops at once.
TEST_F(TimerListTest, CallbacksMayStopAddAndRemoveDuringATick)
{
    startBoth(15, 15);
    a.stopSelf = true;
    EXPECT_EQ(after(60), 4);
    EXPECT_FALSE(timers.isEnabled(a.callback()));
    EXPECT_EQ(after(60), 4);

    a.stopSelf = false;
    a.calls = 0;
    timers.start(a.callback());
    a.addAnother = true;
    b.removeSelf = true;
    b.calls = 0;
    EXPECT_EQ(after(45), 3);
    EXPECT_EQ(b.calls, 1);
    EXPECT_EQ(timers.entryCount(), 2u);
}

// Time in the clock's own units: 60-Hz frames run the 15-ms timer every frame and the 30-ms
// one every second, on a microsecond clock and on a millisecond one alike.
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
}

} // namespace
