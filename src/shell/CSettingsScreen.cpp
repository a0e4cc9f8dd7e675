#include "shell/CSettingsScreen.h"
#include "shell/CApplication.h"

void CSettingsScreen::enter()
{
    app_.state().screenState = EScreen::Settings;
    const std::int32_t back = app_.loadSetting("back", 0);
    const std::int32_t dancer = app_.loadSetting("dancer", 0);
    const std::int32_t music = app_.loadSetting("music", 0);
    SGraphics& graphics = app_.graphics();
    if (graphics.mb_back) {
        graphics.mb_back->setValue(back);
    }
    if (graphics.mb_gender) {
        graphics.mb_gender->setValue(dancer);
    }
    if (graphics.mb_music) {
        graphics.mb_music->setValue(music);
    }
}

void CSettingsScreen::storeValues()
{
    SGraphics& graphics = app_.graphics();
    if (graphics.mb_back) {
        app_.saveSetting("back", graphics.mb_back->value());
    }
    if (graphics.mb_gender) {
        app_.saveSetting("dancer", graphics.mb_gender->value());
    }
    if (graphics.mb_music) {
        app_.saveSetting("music", graphics.mb_music->value());
    }
}

void CSettingsScreen::draw()
{
    SGraphics& graphics = app_.graphics();
    app_.drawChecked(graphics.backConfig.get(), 0, 0, false);
    if (graphics.cursor) {
        for (CCycleButton* button :
             {graphics.mb_back.get(), graphics.mb_music.get(), graphics.mb_zurueck.get()}) {
            if (button) {
                button->handleMouse(*graphics.cursor, *app_.input());
            }
        }
    }
    app_.drawButton(graphics.mb_back.get(), EBlitMode::Keyed, false);
    app_.drawButton(graphics.mb_music.get(), EBlitMode::Keyed, false);
    app_.drawButton(graphics.mb_zurueck.get(), EBlitMode::Opaque, false);
}
