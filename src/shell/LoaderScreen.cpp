#include "shell/CApplication.h"

void CApplication::loadLoader()
{
    loader_.frames = makeFrameSet();
    if (!loader_.frames) {
        return;
    }
    loader_.frames->setProgressMark(false);
    loader_.frames->loadFrames(*screen_, "gfx\\Wait", 6, 2, logs_);
    loader_.frames->setFrame(1);
    loader_.frames->setPosition(240, 180);
}

// Frames 1 to 5 back and forth; frame 0 is never shown.
void CApplication::loaderStep()
{
    if (!loader_.frames) {
        return;
    }
    if (!loader_.falling) {
        loader_.index += 1;
        if (loader_.index >= loader_.frames->frameCount()) {
            loader_.index = 1;
            loader_.falling = true;
        }
    } else {
        loader_.index -= 1;
        if (loader_.index < 1) {
            loader_.index = 1;
            loader_.falling = false;
        }
    }
    loader_.frames->setFrame(loader_.index);
    drawLoader();
}

// The back buffer is not cleared between steps: the loader draws over what stands there.
void CApplication::drawLoader()
{
    if (loader_.frames && screen_ && screen_->back()) {
        loader_.frames->drawFrame(*screen_->back());
        screen_->Present();
    }
}

void CApplication::freeLoader()
{
    if (loader_.frames) {
        loader_.frames->clearFrames();
    }
}
