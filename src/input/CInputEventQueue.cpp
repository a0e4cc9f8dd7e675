#include "input/CInputEventQueue.h"

#include <algorithm>
#include <climits>

namespace {

// Motion far beyond any screen still adds up without wrapping around.
std::int32_t addClamped(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{a} + b, INT32_MIN, INT32_MAX));
}

} // namespace

void CInputEventQueue::push(const SInputEvent& event)
{
    if (!events_.empty() && events_.back().type == event.type) {
        SInputEvent& last = events_.back();
        if (event.type == EInputEventType::MouseMotion) {
            last.x = addClamped(last.x, event.x);
            last.y = addClamped(last.y, event.y);
            return;
        }
        if (event.type == EInputEventType::MousePosition) {
            last.x = event.x;
            last.y = event.y;
            return;
        }
    }
    events_.push_back(event);
}

bool CInputEventQueue::pop(SInputEvent& event)
{
    if (events_.empty()) {
        return false;
    }
    event = events_.front();
    events_.pop_front();
    return true;
}
