#include "shell/CDancer.h"
#include "shell/CApplication.h"

namespace {

constexpr const char* kWaiting = "waiting";
constexpr const char* kGivingAnswer = "givingAnswer";

} // namespace

void CDancer::setAnimationState(const std::string& name)
{
    SShellState& state = app_.state();
    state.animationState = name;
    if (name == kWaiting) {
        state.dancerFrame = 1;
    } else if (name == kGivingAnswer) {
        state.dancerFrame = 30;
    }
}

// "waiting" stands still on frame 1; "givingAnswer" loops frames 1 to 29.
void CDancer::animate()
{
    SShellState& state = app_.state();
    SGraphics& graphics = app_.graphics();
    if (state.animationState == kWaiting) {
        state.dancerFrame = 1;
    } else if (state.animationState == kGivingAnswer) {
        state.dancerFrame += 1;
        if (state.dancerFrame > 29) {
            state.dancerFrame = 1;
        }
    }
    if (graphics.dancer) {
        graphics.dancer->setFrame(state.dancerFrame);
    }
}

void CDancer::load()
{
    SShellState& state = app_.state();
    SGraphics& graphics = app_.graphics();
    CTimerList& timers = app_.timers();
    if (state.dancerLoaded) {
        if (graphics.dancer) {
            graphics.dancer->setPosition(state.dancerX, state.dancerY);
        }
        return;
    }
    timers.stop(animateTimer());
    graphics.dancer = app_.makeFrameSet();
    if (!graphics.dancer) {
        return;
    }
    graphics.dancer->setProgressMark(state.showLoaderProgress);
    graphics.dancer->loadFrames(*app_.screen(), "gfx\\m1", 67, kAnyMemory, app_.logs());
    graphics.dancer->setPosition(state.dancerX, state.dancerY);
    state.dancerLoaded = true;
    setAnimationState(kWaiting);
    graphics.dancer->setFrame(1);
    graphics.dancer->keyAllFrames();
    timers.start(animateTimer());
}

void CDancer::draw()
{
    SGraphics& graphics = app_.graphics();
    if (graphics.dancer) {
        graphics.dancer->drawFrameKeyed(*app_.screen()->back());
    }
}
