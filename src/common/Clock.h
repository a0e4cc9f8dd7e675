#pragma once
#include <cstdint>
#include <ctime>

// Every reading of time goes through this interface, so tests can step time by hand.
class IClock {
public:
    virtual ~IClock() = default;
    // A monotonic counter and its ticks per second, as the timers use them.
    virtual std::int64_t counter() const = 0;
    virtual std::int64_t frequency() const = 0;
    // Seconds since 1 January 1970 UTC, as used for seeding the random generator.
    virtual std::int64_t calendarSeconds() const = 0;
    // The current local time, broken down, as written into the error log.
    virtual std::tm localTime() const = 0;
};

// The real clock: steady_clock nanoseconds as the counter, the system calendar for the rest.
class CSystemClock final : public IClock {
public:
    std::int64_t counter() const override;
    std::int64_t frequency() const override { return 1'000'000'000; }
    std::int64_t calendarSeconds() const override;
    std::tm localTime() const override;
};

// A clock that only moves when told to; for tests.
class CManualClock final : public IClock {
public:
    std::int64_t counter() const override { return counter_; }
    std::int64_t frequency() const override { return frequency_; }
    std::int64_t calendarSeconds() const override { return seconds_; }
    std::tm localTime() const override { return local_; }

    void advanceMilliseconds(std::int64_t ms) { counter_ += ms * frequency_ / 1000; }
    void setCounter(std::int64_t ticks) { counter_ = ticks; }
    void setFrequency(std::int64_t perSecond) { frequency_ = perSecond; }
    void setCalendarSeconds(std::int64_t s) { seconds_ = s; }
    void setLocalTime(const std::tm& t) { local_ = t; }

private:
    std::int64_t counter_ = 0;
    std::int64_t frequency_ = 1'000'000'000;
    std::int64_t seconds_ = 0;
    std::tm local_{};
};
