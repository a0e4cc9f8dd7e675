#include "graphics/CFramePacer.h"

#include <algorithm>

CFramePacer::CFramePacer(const IClock& clock, SleepFunction sleep, std::int64_t periodNanoseconds)
    : clock_(clock), sleep_(std::move(sleep)), period_(periodNanoseconds)
{
}

std::int64_t CFramePacer::nowNanoseconds() const
{
    const std::int64_t counter = clock_.counter();
    const std::int64_t frequency = std::max<std::int64_t>(clock_.frequency(), 1);
    return counter / frequency * 1'000'000'000 + counter % frequency * 1'000'000'000 / frequency;
}

void CFramePacer::beforePresent()
{
    std::int64_t now = nowNanoseconds();
    if (started_ && now < lastStart_ + period_) {
        const std::int64_t due = lastStart_ + period_;
        sleep_(due - now);
        now = std::max(nowNanoseconds(), due);
    }
    lastStart_ = now;
    started_ = true;
}
