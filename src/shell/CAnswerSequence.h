#pragma once
#include "shell/CTimerList.h"

class CApplication;
class CDancer;

// The scene after a question: the box flies into the gate, the gate's window glows, and the
// answer fades in until the user dismisses it. Each phase starts its timer when its first
// frame is drawn.
class CAnswerSequence {
public:
    CAnswerSequence(CApplication& app, CDancer& dancer) : app_(app), dancer_(dancer) {}

    void drawFlight();
    void drawGlow();
    void drawAnswer();
    // Leaving the scene in the middle of a sequence ends it: the next visit starts afresh.
    void end();

    STimerCallback flyTimer() { return timerCallback<&CAnswerSequence::flyQuestion>(*this); }
    STimerCallback glowTimer() { return timerCallback<&CAnswerSequence::glowGate>(*this); }
    STimerCallback answerTimer() { return timerCallback<&CAnswerSequence::showAnswer>(*this); }

private:
    void flyQuestion();
    void glowGate();
    void paintGlow();
    void showAnswer();
    void composeAnswerBox();
    void dismissAnswer();

    CApplication& app_;
    CDancer& dancer_;
};
