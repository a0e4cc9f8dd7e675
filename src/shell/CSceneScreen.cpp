#include "shell/CSceneScreen.h"
#include "shell/CApplication.h"
#include "shell/MenuLayout.h"

#include "common/Clock.h"

void CSceneScreen::enter()
{
    app_.logs().writeErrorLog("spiegel started", false);
    SShellState& state = app_.state();
    state.screenState = EScreen::Question;
    state.caretShownSince = app_.platform().clock().counter();
    if (CCycleButton* back = app_.graphics().mb_zurueck.get()) {
        back->setPosition(menu_layout::kBackButtonInScene.left, menu_layout::kBackButtonInScene.top);
    }
    app_.loadBackground();
    dancer_.load();
    app_.timers().start(dancer_.animateTimer());
}

void CSceneScreen::leave()
{
    SShellState& state = app_.state();
    state.questionText.clear();
    state.questionSplit = 0;
    answer_.end();
    app_.timers().stop(dancer_.animateTimer());
}

void CSceneScreen::draw()
{
    app_.timers().tick();
    SGraphics& graphics = app_.graphics();
    CSurface& back = *app_.screen()->back();
    app_.drawChecked(graphics.background.get(), 0, 0, false);
    app_.drawChecked(graphics.effectSurface.get(), 412, 314, false);
    app_.drawChecked(graphics.door.get(), 412, 314, true);
    app_.drawButton(graphics.mb_zurueck.get(), EBlitMode::Opaque, true);
    if (graphics.mb_zurueck && graphics.cursor) {
        graphics.mb_zurueck->handleMouse(*graphics.cursor, *app_.input());
    }
    if (graphics.flameLeft) {
        graphics.flameLeft->drawFrame(back);
    }
    if (graphics.flameRight) {
        graphics.flameRight->drawFrame(back);
    }
    // Read again: the back button may have left the scene in this very frame.
    switch (app_.state().screenState) {
    case EScreen::Question:
        question_.draw();
        break;
    case EScreen::Glow:
        answer_.drawGlow();
        break;
    case EScreen::Answer:
        answer_.drawAnswer();
        break;
    case EScreen::Flight:
        answer_.drawFlight();
        break;
    default:
        break;
    }
}

// Both flames step the one shared counter, so the left shows odd frames and the right even.
void CSceneScreen::advanceFlames()
{
    SGraphics& graphics = app_.graphics();
    if (graphics.flameLeft) {
        graphics.flameLeft->advance();
    }
    if (graphics.flameRight) {
        graphics.flameRight->advance();
    }
}
