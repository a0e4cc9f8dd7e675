#pragma once
#include "common/Clock.h"

#include <cstdint>
#include <functional>

// Keeps a frame loop from presenting more often than 60 times a second where the display's
// retrace wait is not real, so no loop spins a core. Call beforePresent right before each
// present: it sleeps until one period after the previous present began. Where the retrace
// wait is real, presents are already that far apart and it never sleeps.
class CFramePacer {
public:
    using SleepFunction = std::function<void(std::int64_t nanoseconds)>;

    CFramePacer(const IClock& clock, SleepFunction sleep, std::int64_t periodNanoseconds = 1'000'000'000 / 60);

    void beforePresent();

private:
    std::int64_t nowNanoseconds() const;

    const IClock& clock_;
    SleepFunction sleep_;
    std::int64_t period_;
    std::int64_t lastStart_ = 0;
    bool started_ = false;
};
