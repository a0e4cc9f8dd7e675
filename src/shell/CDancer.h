#pragma once
#include "shell/CTimerList.h"

#include <string>

class CApplication;

// The figure before the gate: it stands still while the mirror waits and dances while it
// answers.
class CDancer {
public:
    explicit CDancer(CApplication& app) : app_(app) {}

    // "waiting" or "givingAnswer".
    void setAnimationState(const std::string& name);
    // Loads the frames once; later calls only place the figure for the current landscape.
    void load();
    void draw();

    STimerCallback animateTimer() { return timerCallback<&CDancer::animate>(*this); }

private:
    void animate();

    CApplication& app_;
};
