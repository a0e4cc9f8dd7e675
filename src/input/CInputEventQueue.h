#pragma once
#include "input/InputEvent.h"

#include <deque>

// Events waiting for the next frame, oldest first. Motion is merged into the motion just before
// it, and a pointer position replaces the one just before it, so a frame that comes late finds
// a short queue and the same path; everything else keeps its order and count.
class CInputEventQueue {
public:
    void push(const SInputEvent& event);
    // The oldest event into `event`; false when none waits.
    bool pop(SInputEvent& event);
    bool empty() const { return events_.empty(); }
    std::size_t size() const { return events_.size(); }

private:
    std::deque<SInputEvent> events_;
};
