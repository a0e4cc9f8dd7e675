#pragma once
#include "common/Clock.h"

// The performance counter as the timers' clock; the calendar as on every system.
class CWin32Clock final : public IClock {
public:
    CWin32Clock();

    std::int64_t counter() const override;
    std::int64_t frequency() const override { return frequency_; }
    std::int64_t calendarSeconds() const override { return calendar_.calendarSeconds(); }
    std::tm localTime() const override { return calendar_.localTime(); }

private:
    std::int64_t frequency_;
    CSystemClock calendar_;
};
