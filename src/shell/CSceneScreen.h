#pragma once
#include "shell/CAnswerSequence.h"
#include "shell/CDancer.h"
#include "shell/CQuestionEntry.h"
#include "shell/CTimerList.h"

class CApplication;

// The oracle's scene: landscape, gate, flames and dancer, with the question entry and the
// answer sequence in front of them.
class CSceneScreen {
public:
    explicit CSceneScreen(CApplication& app) : app_(app), question_(app, dancer_), answer_(app, dancer_) {}

    void enter();
    // Whatever screen shows: the question is cleared and a running sequence ended.
    void leave();
    void handleTyping() { question_.handleTyping(); }
    // Runs the scene's timers, then draws.
    void draw();

    CDancer& dancer() { return dancer_; }
    CAnswerSequence& answerSequence() { return answer_; }
    STimerCallback flamesTimer() { return timerCallback<&CSceneScreen::advanceFlames>(*this); }

private:
    void advanceFlames();

    CApplication& app_;
    CDancer dancer_{app_};
    CQuestionEntry question_;
    CAnswerSequence answer_;
};
