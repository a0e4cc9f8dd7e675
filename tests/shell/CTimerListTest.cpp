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

    void fire();
    STimerCallback callback() { return timerCallback<&CountingTarget::fire>(*this); }
};

void CountingTarget::fire()
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

class TimerListTest : public ::testing::Test {
protected:
    CManualClock clock;
    CTimerList timers{clock};
    CountingTarget a;
    CountingTarget b;

    void SetUp() override
    {
        clock.setCounter(123'456'789);
        a.list = &timers;
        b.list = &timers;
    }
};

TEST_F(TimerListTest, RunsOncePerWholePeriodAndDropsTheRemainder)
{
    timers.add(a.callback(), 15);
    timers.start(a.callback());
    clock.advanceMilliseconds(14);
    timers.tick();
    EXPECT_EQ(a.calls, 0);
    clock.advanceMilliseconds(1);
    timers.tick();
    EXPECT_EQ(a.calls, 1);

    // 44 ms after a fresh start: two runs, and the 14 ms beyond them are lost.
    timers.start(a.callback());
    a.calls = 0;
    clock.advanceMilliseconds(44);
    timers.tick();
    EXPECT_EQ(a.calls, 2);
    clock.advanceMilliseconds(14);
    timers.tick();
    EXPECT_EQ(a.calls, 2);
    clock.advanceMilliseconds(1);
    timers.tick();
    EXPECT_EQ(a.calls, 3);
}

TEST_F(TimerListTest, CatchesUpAfterThreeSecondsWithoutTicks)
{
    timers.add(a.callback(), 15);
    timers.add(b.callback(), 90);
    timers.start(a.callback());
    timers.start(b.callback());
    clock.advanceMilliseconds(3000);
    timers.tick();
    EXPECT_EQ(a.calls, 200);
    EXPECT_EQ(b.calls, 33);
}

TEST_F(TimerListTest, SixtyHertzFramesRunFifteenMsEveryFrameAndThirtyMsEverySecond)
{
    CManualClock micro;
    micro.setFrequency(1'000'000); // microseconds, so a 16.667 ms frame is exact enough
    CTimerList list(micro);
    CountingTarget every30;
    list.add(a.callback(), 15);
    list.add(every30.callback(), 30);
    list.start(a.callback());
    list.start(every30.callback());
    for (int frame = 0; frame < 60; ++frame) {
        micro.setCounter(micro.counter() + 16'667);
        list.tick();
    }
    EXPECT_EQ(a.calls, 60);
    EXPECT_EQ(every30.calls, 30);
}

TEST_F(TimerListTest, APeriodBelowOneMillisecondCountsAsOne)
{
    timers.add(a.callback(), 0);
    timers.add(b.callback(), -5);
    timers.start(a.callback());
    timers.start(b.callback());
    clock.advanceMilliseconds(3);
    timers.tick();
    EXPECT_EQ(a.calls, 3);
    EXPECT_EQ(b.calls, 3);
}

TEST_F(TimerListTest, DisabledAndUnknownEntriesDoNothing)
{
    timers.add(a.callback(), 15);
    clock.advanceMilliseconds(1000);
    timers.tick();
    EXPECT_EQ(a.calls, 0) << "entries start disabled";

    timers.start(b.callback());
    timers.stop(b.callback());
    timers.remove(b.callback());
    EXPECT_EQ(timers.entryCount(), 1u);

    timers.start(a.callback());
    timers.stop(a.callback());
    clock.advanceMilliseconds(1000);
    timers.tick();
    EXPECT_EQ(a.calls, 0);
}

TEST_F(TimerListTest, StartOnARunningEntryRestartsItsPeriod)
{
    timers.add(a.callback(), 15);
    timers.start(a.callback());
    clock.advanceMilliseconds(10);
    timers.start(a.callback());
    clock.advanceMilliseconds(10);
    timers.tick();
    EXPECT_EQ(a.calls, 0);
    clock.advanceMilliseconds(5);
    timers.tick();
    EXPECT_EQ(a.calls, 1);
}

TEST_F(TimerListTest, DuplicateCallbacksMakeTwoEntriesAndOnlyTheFirstIsStarted)
{
    timers.add(a.callback(), 15);
    timers.add(a.callback(), 15);
    EXPECT_EQ(timers.entryCount(), 2u);
    timers.start(a.callback());
    clock.advanceMilliseconds(15);
    timers.tick();
    EXPECT_EQ(a.calls, 1);

    timers.remove(a.callback());
    EXPECT_EQ(timers.entryCount(), 0u);
    clock.advanceMilliseconds(15);
    timers.tick();
    EXPECT_EQ(a.calls, 1);
}

TEST_F(TimerListTest, StopAllAndRemoveKeepTheOthersInOrder)
{
    std::vector<std::string> order;
    struct Named {
        std::vector<std::string>* log;
        std::string name;
        void fire() { log->push_back(name); }
    } first{&order, "first"}, second{&order, "second"}, third{&order, "third"};
    timers.add(timerCallback<&Named::fire>(first), 15);
    timers.add(timerCallback<&Named::fire>(second), 15);
    timers.add(timerCallback<&Named::fire>(third), 15);
    timers.remove(timerCallback<&Named::fire>(second));
    timers.start(timerCallback<&Named::fire>(third));
    timers.start(timerCallback<&Named::fire>(first));
    clock.advanceMilliseconds(15);
    timers.tick();
    EXPECT_EQ(order, (std::vector<std::string>{"first", "third"}));

    timers.stopAll();
    clock.advanceMilliseconds(100);
    timers.tick();
    EXPECT_EQ(order.size(), 2u);
}

TEST_F(TimerListTest, ACallbackThatStopsItselfStillGetsTheRestOfItsCatchUp)
{
    timers.add(a.callback(), 15);
    timers.start(a.callback());
    a.stopSelf = true;
    clock.advanceMilliseconds(60);
    timers.tick();
    EXPECT_EQ(a.calls, 4);
    EXPECT_FALSE(timers.isEnabled(a.callback()));
    clock.advanceMilliseconds(60);
    timers.tick();
    EXPECT_EQ(a.calls, 4);
}

TEST_F(TimerListTest, CallbacksMayAddAndEvenRemoveDuringATick)
{
    timers.add(a.callback(), 15);
    timers.add(b.callback(), 15);
    timers.start(a.callback());
    timers.start(b.callback());
    a.addAnother = true; // grows the list while it is walked
    b.removeSelf = true;
    clock.advanceMilliseconds(45);
    timers.tick();
    EXPECT_EQ(a.calls, 3);
    EXPECT_EQ(b.calls, 1) << "a removed entry stops at once";
    EXPECT_EQ(timers.entryCount(), 2u);
}

TEST_F(TimerListTest, TicksFromTheClockAtConstructionFrequency)
{
    CManualClock slow;
    slow.setFrequency(1000);
    CTimerList list(slow);
    list.add(a.callback(), 15);
    list.start(a.callback());
    slow.setCounter(slow.counter() + 30);
    list.tick();
    EXPECT_EQ(a.calls, 2);
}

} // namespace
