#include "shell/CApplication.h"
#include "shell/MenuLayout.h"

#include "common/Clock.h"

void CApplication::startOracle()
{
    logs_.writeErrorLog("spiegel started", false);
    state_.screenState = Screen::Question;
    state_.caretShownSince = platform_.clock().counter();
    if (graphics_.mb_zurueck) {
        graphics_.mb_zurueck->setPosition(menu_layout::kBackButtonInScene.left, menu_layout::kBackButtonInScene.top);
    }
    loadBackground();
    loadDancer();
    timers_.start(animateDancerTimer());
}

void CApplication::openSettings()
{
    state_.screenState = Screen::Settings;
    const std::int32_t back = loadSetting("back", 0);
    const std::int32_t dancer = loadSetting("dancer", 0);
    const std::int32_t music = loadSetting("music", 0);
    if (graphics_.mb_back) {
        graphics_.mb_back->setValue(back);
    }
    if (graphics_.mb_gender) {
        graphics_.mb_gender->setValue(dancer);
    }
    if (graphics_.mb_music) {
        graphics_.mb_music->setValue(music);
    }
}

void CApplication::quitToHomePage()
{
    state_.quitRequested = true;
    state_.openHomePageOnQuit = true;
}

void CApplication::openHelp()
{
    state_.screenState = Screen::Help;
}

void CApplication::exitProgram()
{
    logs_.writeErrorLog("exiting", false);
    state_.quitRequested = true;
}

// Only this way out of the settings screen stores its values.
void CApplication::backToMenu()
{
    if (state_.screenState == Screen::Settings) {
        if (graphics_.mb_back) {
            saveSetting("back", graphics_.mb_back->value());
        }
        if (graphics_.mb_gender) {
            saveSetting("dancer", graphics_.mb_gender->value());
        }
        if (graphics_.mb_music) {
            saveSetting("music", graphics_.mb_music->value());
        }
    }
    if (graphics_.mb_zurueck) {
        graphics_.mb_zurueck->setPosition(menu_layout::kBackButtonOnMenus.left, menu_layout::kBackButtonOnMenus.top);
    }
    state_.questionText.clear();
    state_.questionSplit = 0;
    endAnswerSequence();
    state_.screenState = Screen::TitleMenu;
    timers_.stop(animateDancerTimer());
}

void CApplication::toggleMusic()
{
    music_.Toggle();
}

// The program closes either way; a browser that could not be started leaves a line saying why.
void CApplication::launchHomePage()
{
    const SLaunchResult launch = platform_.browser().openAddress(kHomePage);
    if (!launch.started) {
        logs_.writeErrorLog("launchHomePage: no browser could be started (" + launch.failure + ")", false);
    }
}
