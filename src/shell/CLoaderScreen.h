#pragma once
#include "shell/CFrameSet.h"

#include <cstdint>
#include <memory>

class CApplication;

// The small animation shown while the pictures load: each loaded picture steps it once and
// shows the frame at once, since no message loop runs yet.
class CLoaderScreen {
public:
    explicit CLoaderScreen(CApplication& app) : app_(app) {}

    void load();
    void step();
    void free();

private:
    void draw();

    CApplication& app_;
    std::unique_ptr<CFrameSet> frames_;
    std::int32_t index_ = 0;
    bool falling_ = false;
};
