#include "shell/CApplication.h"

namespace {

constexpr const char* kWaiting = "waiting";
constexpr const char* kGivingAnswer = "givingAnswer";

} // namespace

void CApplication::setAnimationState(const std::string& name)
{
    state_.animationState = name;
    if (name == kWaiting) {
        state_.dancerFrame = 1;
    } else if (name == kGivingAnswer) {
        state_.dancerFrame = 30;
    }
}

// "waiting" stands still on frame 1; "givingAnswer" loops frames 1 to 29.
void CApplication::animateDancer()
{
    if (state_.animationState == kWaiting) {
        state_.dancerFrame = 1;
    } else if (state_.animationState == kGivingAnswer) {
        state_.dancerFrame += 1;
        if (state_.dancerFrame > 29) {
            state_.dancerFrame = 1;
        }
    }
    if (graphics_.dancer) {
        graphics_.dancer->setFrame(state_.dancerFrame);
    }
}

void CApplication::loadDancer()
{
    if (state_.dancerLoaded) {
        if (graphics_.dancer) {
            graphics_.dancer->setPosition(state_.dancerX, state_.dancerY);
        }
        return;
    }
    timers_.stop(animateDancerTimer());
    graphics_.dancer = makeFrameSet();
    if (!graphics_.dancer) {
        return;
    }
    graphics_.dancer->setProgressMark(state_.showLoaderProgress);
    graphics_.dancer->loadFrames(*screen_, "gfx\\m1", 67, 2, logs_);
    graphics_.dancer->setPosition(state_.dancerX, state_.dancerY);
    state_.dancerLoaded = true;
    setAnimationState(kWaiting);
    graphics_.dancer->setFrame(1);
    graphics_.dancer->keyAllFrames();
    timers_.start(animateDancerTimer());
}

void CApplication::drawDancer()
{
    if (graphics_.dancer) {
        graphics_.dancer->drawFrameKeyed(*screen_->back());
    }
}
