#include "common/Clock.h"

#include <chrono>

std::int64_t CSystemClock::counter() const
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

std::int64_t CSystemClock::calendarSeconds() const
{
    return static_cast<std::int64_t>(std::time(nullptr));
}

std::tm CSystemClock::localTime() const
{
    std::time_t now = std::time(nullptr);
    // std::localtime shares a static buffer; we copy it out at once and run on one thread.
    const std::tm* local = std::localtime(&now);
    return local ? *local : std::tm{};
}
