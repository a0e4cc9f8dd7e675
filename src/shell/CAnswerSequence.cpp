#include "shell/CAnswerSequence.h"
#include "shell/CApplication.h"
#include "shell/CDancer.h"
#include "shell/CQuestionEntry.h"

#include "common/Clock.h"
#include "input/KeyCodes.h"

namespace {

constexpr std::uint32_t kAnswerColour = 0x007D1964;
constexpr std::int32_t kGlowTicks = 200;
constexpr std::int32_t kDismissAfterTicks = 200;
constexpr const char* kNoAnswer = "Hmmmm. Wenn ich das w\xFC\xDFte ...";

} // namespace

// Flight (screen 4): the question box shrinks towards the gate.
void CAnswerSequence::drawFlight()
{
    SShellState& state = app_.state();
    SGraphics& graphics = app_.graphics();
    CTimerList& timers = app_.timers();
    if (!state.phaseStarted) {
        state.flightX = kBoxX;
        state.flightY = kBoxY;
        state.flightScale = 1.0f;
        timers.start(flyTimer());
        state.phaseStarted = true;
    }
    dancer_.draw();
    if (CSurface* box = graphics.qbox.get()) {
        box->SetColorKeyFromCorner();
        box->KeyedScaled(*app_.screen()->back(), state.flightX, state.flightY, std::nullopt,
                         state.flightScale);
    }
}

// Each phase's callback acts only while its phase is on: a catch-up tick that ends a phase
// may run the callback again, and that must not eat into the next question's sequence.
void CAnswerSequence::flyQuestion()
{
    SShellState& state = app_.state();
    CTimerList& timers = app_.timers();
    if (state.screenState != EScreen::Flight) {
        return;
    }
    if (state.flightScale > 0.0f) {
        state.flightScale -= 0.05f;
        if (state.flightY > 310) {
            state.flightY -= 9;
        }
        if (state.flightX < 181) {
            state.flightX += 1;
        }
        return;
    }
    state.screenState = EScreen::Glow;
    state.flightScale = 1.0f;
    state.flightX = kBoxX;
    state.flightY = kBoxY;
    state.phaseStarted = false;
    timers.stop(flyTimer());
}

// Glow (screen 2): the gate's window pulses in dark red for 200 ticks.
void CAnswerSequence::drawGlow()
{
    SShellState& state = app_.state();
    CTimerList& timers = app_.timers();
    if (!state.phaseStarted) {
        timers.start(glowTimer());
        state.phaseStarted = true;
    }
    dancer_.draw();
}

void CAnswerSequence::glowGate()
{
    SShellState& state = app_.state();
    SGraphics& graphics = app_.graphics();
    CTimerList& timers = app_.timers();
    if (state.screenState != EScreen::Glow) {
        return;
    }
    state.glowTicks += 1;
    if (state.glowTicks >= kGlowTicks) {
        if (graphics.effectSurface) {
            graphics.effectSurface->Fill(0);
        }
        state.screenState = EScreen::Answer;
        state.phaseStarted = false;
        timers.stop(glowTimer());
        if (graphics.dancer) {
            graphics.dancer->setFrame(0);
        }
        state.glowTicks = 0;
        state.glowLevel = 0;
        state.glowFalling = false;
        return;
    }
    paintGlow();
}

void CAnswerSequence::paintGlow()
{
    SShellState& state = app_.state();
    SGraphics& graphics = app_.graphics();
    if (!state.glowFalling) {
        state.glowLevel += 2;
        if (state.glowLevel > 125) {
            state.glowFalling = true;
        }
    } else {
        state.glowLevel -= 2;
        if (state.glowLevel < 1) {
            state.glowLevel = 0;
            state.glowFalling = false;
        }
    }
    CSurface* effect = graphics.effectSurface.get();
    if (!effect) {
        return;
    }
    const auto level = static_cast<std::uint32_t>(state.glowLevel);
    const std::uint32_t colour = level | ((level % 3) << 8) | ((level % 8) << 16);
    const std::uint32_t pixel = app_.screen()->ColorToPixel(colour);
    effect->Lock();
    for (std::int32_t y = 1; y <= 80; ++y) {
        for (std::int32_t x = 1; x <= 69; ++x) {
            effect->putPixel(x, y, pixel);
        }
    }
    effect->Unlock();
}

// Answer (screen 3): the answer box fades in.
void CAnswerSequence::drawAnswer()
{
    SShellState& state = app_.state();
    SGraphics& graphics = app_.graphics();
    CTimerList& timers = app_.timers();
    if (!state.phaseStarted) {
        timers.start(answerTimer());
        state.answerFade = 256;
        state.phaseStarted = true;
    }
    dancer_.draw();
    CSurface* box = graphics.abox.get();
    if (!box) {
        return;
    }
    box->SetColorKeyFromCorner();
    if (state.answerFade > 5) {
        box->KeyedBlend(*app_.screen()->back(), kBoxX, kBoxY, std::nullopt,
                        static_cast<std::uint32_t>(state.answerFade));
    } else {
        box->Keyed(*app_.screen()->back(), kBoxX, kBoxY);
    }
}

void CAnswerSequence::showAnswer()
{
    SShellState& state = app_.state();
    CInput& input = *app_.input();
    if (state.screenState != EScreen::Answer) {
        return;
    }
    if (!state.answered) {
        state.answerText = kNoAnswer;
        if (state.questionText.size() > 1) {
            state.answered = true;
            state.answerText = app_.oracle().answer(state.questionText);
        }
    }
    state.answerTicks += 1;
    if (state.answerFade > 1) {
        state.answerFade -= 6;
        if (state.answerFade < 1) {
            state.answerFade = 1;
        }
    }
    composeAnswerBox();
    state.answerTicks += 1;
    if (state.answerTicks > kDismissAfterTicks &&
        (input.GetKeyState(KeyCode::MouseLeft) != 0 || input.GetKeyState(KeyCode::MouseRight) != 0 ||
         input.GetKeyState(KeyCode::MouseMiddle) != 0 || input.GetKeyState(KeyCode::Return) != 0)) {
        dismissAnswer();
    }
}

// The box is composed anew from its template whenever its text changes, so no old text stays
// on it.
void CAnswerSequence::composeAnswerBox()
{
    SShellState& state = app_.state();
    SGraphics& graphics = app_.graphics();
    CSurface* box = graphics.abox.get();
    if (!box || graphics.aboxText == state.answerText) {
        return;
    }
    if (graphics.aboxTemplate) {
        graphics.aboxTemplate->Opaque(*box, 0, 0);
    }
    box->SetFont("Arial", 0, 20, 400);
    // A box that took no text is tried again in the next tick.
    if (box->GetDC()) {
        graphics.aboxText = state.answerText;
    }
    box->SelectFont();
    writeBoxText(*box, layoutAnswer(state.answerText, boxMeasure(*box)), kAnswerColour);
    box->ReleaseDC();
}

void CAnswerSequence::dismissAnswer()
{
    SShellState& state = app_.state();
    SGraphics& graphics = app_.graphics();
    CTimerList& timers = app_.timers();
    timers.stop(answerTimer());
    dancer_.setAnimationState("waiting");
    if (graphics.qboxTemplate && graphics.qbox) {
        graphics.qboxTemplate->Opaque(*graphics.qbox, 0, 0);
    }
    state.screenState = EScreen::Question;
    state.caretShownSince = app_.platform().clock().counter();
    state.phaseStarted = false;
    state.answerTicks = 0;
    state.answerText.clear();
    state.questionText.clear();
    state.questionSplit = 0;
    state.answered = false;
    state.answerFade = 256;
}

void CAnswerSequence::end()
{
    SShellState& state = app_.state();
    SGraphics& graphics = app_.graphics();
    CTimerList& timers = app_.timers();
    timers.stop(flyTimer());
    timers.stop(glowTimer());
    timers.stop(answerTimer());
    const bool inScene = isScene(state.screenState);
    if (inScene && graphics.effectSurface) {
        graphics.effectSurface->Fill(0);
    }
    state.phaseStarted = false;
    state.flightX = kBoxX;
    state.flightY = kBoxY;
    state.flightScale = 1.0f;
    state.glowTicks = 0;
    state.glowLevel = 0;
    state.glowFalling = false;
    state.answered = false;
    state.answerTicks = 0;
    state.answerFade = 256;
    state.answerText.clear();
    if (inScene) {
        dancer_.setAnimationState("waiting");
    }
}
