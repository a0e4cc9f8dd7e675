#include "shell/CTimerList.h"

#include <algorithm>

namespace {

// (ticks * 1000 / frequency) without the multiplication overflowing for large tick counts.
std::int64_t ticksToMilliseconds(std::int64_t ticks, std::int64_t frequency)
{
    if (frequency <= 0) {
        return 0;
    }
    return ticks / frequency * 1000 + ticks % frequency * 1000 / frequency;
}

} // namespace

CTimerList::CTimerList(const IClock& clock) : clock_(clock), frequency_(clock.frequency()) {}

CTimerList::~CTimerList() = default;

void CTimerList::add(STimerCallback callback, std::int32_t periodMs)
{
    // A period below one millisecond would divide by zero or run without end; one is the least.
    entries_.push_back({callback, std::max<std::int32_t>(periodMs, 1), false, 0, false});
}

void CTimerList::start(STimerCallback callback)
{
    if (STimerEntry* entry = findFirst(callback)) {
        entry->enabled = true;
        entry->lastRun = clock_.counter();
    }
}

void CTimerList::stop(STimerCallback callback)
{
    if (STimerEntry* entry = findFirst(callback)) {
        entry->enabled = false;
    }
}

void CTimerList::stopAll()
{
    for (STimerEntry& entry : entries_) {
        entry.enabled = false;
    }
}

void CTimerList::remove(STimerCallback callback)
{
    for (STimerEntry& entry : entries_) {
        if (entry.callback == callback) {
            entry.removed = true;
            entry.enabled = false;
        }
    }
    // A callback that removes entries while the list is being walked must not pull the entries
    // out from under the walk; they go once the tick is over.
    if (!ticking_) {
        eraseRemoved();
    }
}

void CTimerList::tick()
{
    ticking_ = true;
    // Callbacks may add entries, so the walk goes by index and re-reads the size.
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].enabled) {
            runEntry(i);
        }
    }
    ticking_ = false;
    eraseRemoved();
}

std::uint32_t CTimerList::entryCount() const
{
    return static_cast<std::uint32_t>(
        std::count_if(entries_.begin(), entries_.end(), [](const STimerEntry& e) { return !e.removed; }));
}

bool CTimerList::isEnabled(STimerCallback callback) const
{
    const STimerEntry* entry = findFirst(callback);
    return entry && entry->enabled;
}

CTimerList::STimerEntry* CTimerList::findFirst(STimerCallback callback)
{
    auto it = std::find_if(entries_.begin(), entries_.end(), [&](const STimerEntry& e) {
        return !e.removed && e.callback == callback;
    });
    return it == entries_.end() ? nullptr : &*it;
}

const CTimerList::STimerEntry* CTimerList::findFirst(STimerCallback callback) const
{
    return const_cast<CTimerList*>(this)->findFirst(callback);
}

void CTimerList::runEntry(std::size_t index)
{
    const std::int64_t now = clock_.counter();
    const std::int64_t elapsedMs = ticksToMilliseconds(now - entries_[index].lastRun, frequency_);
    const std::int64_t runs = elapsedMs / entries_[index].periodMs;
    // The remainder beyond whole periods is dropped; every run is made even if a call stops
    // its own entry, as the catch-up was decided before the first call. A removed entry ends.
    for (std::int64_t run = 0; run < runs && !entries_[index].removed; ++run) {
        const STimerCallback callback = entries_[index].callback;
        if (callback.function) {
            callback.function(callback.context);
        }
        entries_[index].lastRun = now;
    }
}

void CTimerList::eraseRemoved()
{
    std::erase_if(entries_, [](const STimerEntry& e) { return e.removed; });
}
