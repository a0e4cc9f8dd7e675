#pragma once
#include <cstdint>
#include <vector>

#include "common/Clock.h"

// A timer callback: a plain function with a context pointer. The pair identifies the entry,
// so the same callback can be started and stopped later by value.
struct STimerCallback {
    void (*function)(void* context) = nullptr;
    void* context = nullptr;

    bool operator==(const STimerCallback&) const = default;
};

// A callback that runs `Member` on `object`, e.g. timerCallback<&CApplication::advanceFlames>(app).
template <auto Member, class T>
STimerCallback timerCallback(T& object)
{
    return {[](void* context) { (static_cast<T*>(context)->*Member)(); }, &object};
}

// Periodic callbacks paced by a high-resolution counter. Nothing drives the list but `tick`,
// which the frame calls; each started entry then runs once for every whole period that passed.
class CTimerList {
public:
    explicit CTimerList(const IClock& clock);
    ~CTimerList();
    CTimerList(const CTimerList&) = delete;
    CTimerList& operator=(const CTimerList&) = delete;

    void add(STimerCallback callback, std::int32_t periodMs);
    void start(STimerCallback callback);
    void stop(STimerCallback callback);
    void stopAll();
    void remove(STimerCallback callback);
    void tick();

    std::uint32_t entryCount() const;
    bool isEnabled(STimerCallback callback) const;

private:
    struct STimerEntry {
        STimerCallback callback;
        std::int32_t periodMs = 0;
        bool enabled = false;
        std::int64_t lastRun = 0;
        bool removed = false;
    };

    STimerEntry* findFirst(STimerCallback callback);
    const STimerEntry* findFirst(STimerCallback callback) const;
    void runEntry(std::size_t index);
    void eraseRemoved();

    const IClock& clock_;
    std::int64_t frequency_;
    std::vector<STimerEntry> entries_;
    bool ticking_ = false;
};
