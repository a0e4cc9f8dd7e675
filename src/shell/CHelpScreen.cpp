#include "shell/CHelpScreen.h"
#include "shell/CApplication.h"

void CHelpScreen::draw()
{
    SGraphics& graphics = app_.graphics();
    app_.drawChecked(graphics.backHelp.get(), 0, 0, false);
    if (graphics.mb_zurueck && graphics.cursor) {
        graphics.mb_zurueck->handleMouse(*graphics.cursor, *app_.input());
    }
    app_.drawButton(graphics.mb_zurueck.get(), EBlitMode::Opaque, false);
}
