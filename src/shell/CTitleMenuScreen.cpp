#include "shell/CTitleMenuScreen.h"
#include "shell/CApplication.h"
#include "shell/MenuLayout.h"

void CTitleMenuScreen::makeHotspots()
{
    struct SHotspotAction {
        EMenuEntry entry;
        void (CTitleMenuScreen::*action)();
    };
    static constexpr SHotspotAction kActions[] = {
        {EMenuEntry::Start, &CTitleMenuScreen::startOracle},
        {EMenuEntry::Settings, &CTitleMenuScreen::openSettings},
        {EMenuEntry::HomePage, &CTitleMenuScreen::quitToHomePage},
        {EMenuEntry::Help, &CTitleMenuScreen::openHelp},
        {EMenuEntry::End, &CTitleMenuScreen::exitProgram},
    };
    for (const SHotspotAction& entry : kActions) {
        const auto index = static_cast<std::size_t>(entry.entry);
        const menu_layout::SRect& place = menu_layout::kHotspots[index];
        std::unique_ptr<CHotspot>& hotspot = app_.graphics().hotspots[index];
        hotspot = makeAsset<CHotspot>();
        if (hotspot) {
            hotspot->setPlace(place.left, place.top);
            hotspot->setSize(place.width, place.height);
            hotspot->setAction([this, action = entry.action] { (this->*action)(); });
        }
    }
}

void CTitleMenuScreen::enter()
{
    if (CCycleButton* back = app_.graphics().mb_zurueck.get()) {
        back->setPosition(menu_layout::kBackButtonOnMenus.left, menu_layout::kBackButtonOnMenus.top);
    }
    app_.state().screenState = EScreen::TitleMenu;
}

void CTitleMenuScreen::draw()
{
    SGraphics& graphics = app_.graphics();
    app_.drawChecked(graphics.backMain.get(), 0, 0, false);
    // Asked in this order; the last one under the pointing spot is highlighted.
    static constexpr EMenuEntry kAskOrder[] = {EMenuEntry::Start, EMenuEntry::End, EMenuEntry::Settings,
                                               EMenuEntry::HomePage, EMenuEntry::Help};
    EMenuEntry highlighted = EMenuEntry::None;
    for (const EMenuEntry entry : kAskOrder) {
        CHotspot* hotspot = graphics.hotspot(entry);
        if (hotspot && graphics.cursor && hotspot->hitTest(*graphics.cursor, *app_.input())) {
            highlighted = entry;
        }
    }
    if (graphics.menuFrames) {
        graphics.menuFrames->setFrame(static_cast<std::int32_t>(highlighted));
        graphics.menuFrames->drawFrame(*app_.screen()->back());
    }
}

void CTitleMenuScreen::startOracle()
{
    app_.scene().enter();
}

void CTitleMenuScreen::openSettings()
{
    app_.settingsScreen().enter();
}

void CTitleMenuScreen::quitToHomePage()
{
    app_.state().quitRequested = true;
    app_.state().openHomePageOnQuit = true;
}

void CTitleMenuScreen::openHelp()
{
    app_.state().screenState = EScreen::Help;
}

void CTitleMenuScreen::exitProgram()
{
    app_.logs().writeErrorLog("exiting", false);
    app_.state().quitRequested = true;
}
