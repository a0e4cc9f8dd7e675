#include "platform/web/WebFrameLoop.h"

#include "platform/web/WebPage.h"

#include <emscripten/emscripten.h>

#include <memory>

namespace {

// The loop owns itself: the browser holds only this pointer between frames.
void oneFrame(void* context)
{
    auto* frame = static_cast<std::function<bool()>*>(context);
    if ((*frame)()) {
        return;
    }
    emscripten_cancel_main_loop();
    delete frame;
    minne_page_quiet();
}

} // namespace

void runFrameLoop(std::function<bool()> frame)
{
    auto owned = std::make_unique<std::function<bool()>>(std::move(frame));
    // 0: at the browser's own refresh rate; false: main returns instead of unwinding.
    emscripten_set_main_loop_arg(oneFrame, owned.release(), 0, false);
}
