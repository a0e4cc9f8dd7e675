#pragma once
#include <functional>

// Hands the frame loop to the browser: `frame` runs once per display refresh until it returns
// false; then it is destroyed (with all it holds) and the page goes quiet. Returns at once:
// the browser owns the loop, and the caller's stack is gone when the frames run.
void runFrameLoop(std::function<bool()> frame);
