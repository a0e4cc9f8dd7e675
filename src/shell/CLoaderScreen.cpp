#include "shell/CLoaderScreen.h"
#include "shell/CApplication.h"

void CLoaderScreen::load()
{
    frames_ = app_.makeFrameSet();
    if (!frames_) {
        return;
    }
    frames_->setProgressMark(false);
    frames_->loadFrames(*app_.screen(), "gfx\\Wait", 6, kAnyMemory, app_.logs());
    frames_->setFrame(1);
    frames_->setPosition(240, 180);
}

// Frames 1 to 5 back and forth; frame 0 is never shown.
void CLoaderScreen::step()
{
    if (!frames_) {
        return;
    }
    if (!falling_) {
        index_ += 1;
        if (index_ >= frames_->frameCount()) {
            index_ = 1;
            falling_ = true;
        }
    } else {
        index_ -= 1;
        if (index_ < 1) {
            index_ = 1;
            falling_ = false;
        }
    }
    frames_->setFrame(index_);
    draw();
}

// The back buffer is not cleared between steps: the loader draws over what stands there.
void CLoaderScreen::draw()
{
    CScreen* screen = app_.screen();
    if (frames_ && screen && screen->back()) {
        frames_->drawFrame(*screen->back());
        screen->Present();
    }
}

void CLoaderScreen::free()
{
    if (frames_) {
        frames_->clearFrames();
    }
}
