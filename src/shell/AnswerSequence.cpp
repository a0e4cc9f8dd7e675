#include "shell/CApplication.h"

#include "common/Clock.h"
#include "input/KeyCodes.h"

namespace {

constexpr std::uint32_t kAnswerColour = 0x007D1964;
constexpr std::int32_t kGlowTicks = 200;
constexpr std::int32_t kDismissAfterTicks = 200;
constexpr const char* kNoAnswer = "Hmmmm. Wenn ich das w\xFC\xDFte ...";

} // namespace

// Flight (screen 4): the question box shrinks towards the gate.
void CApplication::drawFlightScreen()
{
    if (!state_.phaseStarted) {
        state_.flightX = kBoxX;
        state_.flightY = kBoxY;
        state_.flightScale = 1.0f;
        timers_.start(flyQuestionTimer());
        state_.phaseStarted = true;
    }
    drawDancer();
    if (CSurface* box = graphics_.qbox.get()) {
        box->SetColorKeyFromCorner();
        box->KeyedScaled(*screen_->back(), state_.flightX, state_.flightY, std::nullopt, state_.flightScale);
    }
}

// Each phase's callback acts only while its phase is on: a catch-up tick that ends a phase
// may run the callback again, and that must not eat into the next question's sequence.
void CApplication::flyQuestion()
{
    if (state_.screenState != Screen::Flight) {
        return;
    }
    if (state_.flightScale > 0.0f) {
        state_.flightScale -= 0.05f;
        if (state_.flightY > 310) {
            state_.flightY -= 9;
        }
        if (state_.flightX < 181) {
            state_.flightX += 1;
        }
        return;
    }
    state_.screenState = Screen::Glow;
    state_.flightScale = 1.0f;
    state_.flightX = kBoxX;
    state_.flightY = kBoxY;
    state_.phaseStarted = false;
    timers_.stop(flyQuestionTimer());
}

// Glow (screen 2): the gate's window pulses in dark red for 200 ticks.
void CApplication::drawGlowScreen()
{
    if (!state_.phaseStarted) {
        timers_.start(glowGateTimer());
        state_.phaseStarted = true;
    }
    drawDancer();
}

void CApplication::glowGate()
{
    if (state_.screenState != Screen::Glow) {
        return;
    }
    state_.glowTicks += 1;
    if (state_.glowTicks >= kGlowTicks) {
        if (graphics_.effectSurface) {
            graphics_.effectSurface->Fill(0);
        }
        state_.screenState = Screen::Answer;
        state_.phaseStarted = false;
        timers_.stop(glowGateTimer());
        if (graphics_.dancer) {
            graphics_.dancer->setFrame(0);
        }
        state_.glowTicks = 0;
        state_.glowLevel = 0;
        state_.glowFalling = false;
        return;
    }
    paintGlow();
}

void CApplication::paintGlow()
{
    if (!state_.glowFalling) {
        state_.glowLevel += 2;
        if (state_.glowLevel > 125) {
            state_.glowFalling = true;
        }
    } else {
        state_.glowLevel -= 2;
        if (state_.glowLevel < 1) {
            state_.glowLevel = 0;
            state_.glowFalling = false;
        }
    }
    CSurface* effect = graphics_.effectSurface.get();
    if (!effect) {
        return;
    }
    const auto level = static_cast<std::uint32_t>(state_.glowLevel);
    const std::uint32_t colour = level | ((level % 3) << 8) | ((level % 8) << 16);
    const std::uint32_t pixel = screen_->ColorToPixel(colour);
    effect->Lock();
    for (std::int32_t y = 1; y <= 80; ++y) {
        for (std::int32_t x = 1; x <= 69; ++x) {
            effect->putPixel(x, y, pixel);
        }
    }
    effect->Unlock();
}

// Answer (screen 3): the answer box fades in.
void CApplication::drawAnswerScreen()
{
    if (!state_.phaseStarted) {
        timers_.start(showAnswerTimer());
        state_.answerFade = 256;
        state_.phaseStarted = true;
    }
    drawDancer();
    CSurface* box = graphics_.abox.get();
    if (!box) {
        return;
    }
    box->SetColorKeyFromCorner();
    if (state_.answerFade > 5) {
        box->KeyedBlend(*screen_->back(), kBoxX, kBoxY, std::nullopt, static_cast<std::uint32_t>(state_.answerFade));
    } else {
        box->Keyed(*screen_->back(), kBoxX, kBoxY);
    }
}

void CApplication::showAnswer()
{
    if (state_.screenState != Screen::Answer) {
        return;
    }
    if (!state_.answered) {
        state_.answerText = kNoAnswer;
        if (state_.questionText.size() > 1) {
            state_.answered = true;
            state_.answerText = oracle_.answer(state_.questionText);
        }
    }
    state_.answerTicks += 1;
    if (state_.answerFade > 1) {
        state_.answerFade -= 6;
        if (state_.answerFade < 1) {
            state_.answerFade = 1;
        }
    }
    composeAnswerBox();
    state_.answerTicks += 1;
    if (state_.answerTicks > kDismissAfterTicks &&
        (input_->GetKeyState(KeyCode::MouseLeft) != 0 || input_->GetKeyState(KeyCode::MouseRight) != 0 ||
         input_->GetKeyState(KeyCode::MouseMiddle) != 0 || input_->GetKeyState(KeyCode::Return) != 0)) {
        dismissAnswer();
    }
}

// The box is composed anew from its template whenever its text changes, so no old text stays
// on it.
void CApplication::composeAnswerBox()
{
    CSurface* box = graphics_.abox.get();
    if (!box || graphics_.aboxText == state_.answerText) {
        return;
    }
    if (graphics_.aboxTemplate) {
        graphics_.aboxTemplate->Opaque(*box, 0, 0);
    }
    box->SetFont("Arial", 0, 20, 400);
    // A box that took no text is tried again in the next tick.
    if (box->GetDC()) {
        graphics_.aboxText = state_.answerText;
    }
    box->SelectFont();
    writeBoxText(*box, layoutAnswer(state_.answerText, boxMeasure(*box)), kAnswerColour);
    box->ReleaseDC();
}

void CApplication::dismissAnswer()
{
    timers_.stop(showAnswerTimer());
    setAnimationState("waiting");
    if (graphics_.qboxTemplate && graphics_.qbox) {
        graphics_.qboxTemplate->Opaque(*graphics_.qbox, 0, 0);
    }
    state_.screenState = Screen::Question;
    state_.caretShownSince = platform_.clock().counter();
    state_.phaseStarted = false;
    state_.answerTicks = 0;
    state_.answerText.clear();
    state_.questionText.clear();
    state_.questionSplit = 0;
    state_.answered = false;
    state_.answerFade = 256;
}

// Leaving the scene in the middle of a sequence ends it: the next visit starts afresh.
void CApplication::endAnswerSequence()
{
    timers_.stop(flyQuestionTimer());
    timers_.stop(glowGateTimer());
    timers_.stop(showAnswerTimer());
    const bool inScene = Screen::isScene(state_.screenState);
    if (inScene && graphics_.effectSurface) {
        graphics_.effectSurface->Fill(0);
    }
    state_.phaseStarted = false;
    state_.flightX = kBoxX;
    state_.flightY = kBoxY;
    state_.flightScale = 1.0f;
    state_.glowTicks = 0;
    state_.glowLevel = 0;
    state_.glowFalling = false;
    state_.answered = false;
    state_.answerTicks = 0;
    state_.answerFade = 256;
    state_.answerText.clear();
    if (inScene) {
        setAnimationState("waiting");
    }
}
