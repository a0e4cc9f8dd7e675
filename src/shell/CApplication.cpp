#include "shell/CApplication.h"

#include "common/Clock.h"

CApplication::CApplication(IShellPlatform& platform, std::filesystem::path logFolder)
    : platform_(platform),
      logs_(platform.clock(), *this, std::move(logFolder)),
      oracle_(platform.clock()),
      music_(platform.audio(), logs_),
      packageLibrary_(),
      timers_(platform.clock())
{
}

CApplication::~CApplication()
{
    // A fatal report ends the loop without shutdown; the pictures must still go before the
    // screen they were made on.
    releaseGraphics();
    loader_.free();
    input_.reset();
    screen_.reset();
}

int CApplication::winMain(const SLaunchOptions& options)
{
    if (!startUp(options)) {
        return exitCode_;
    }
    while (!quitPosted_) {
        runLoopStep();
    }
    return exitCode_;
}

bool CApplication::startUp(const SLaunchOptions& options)
{
    if (options.mode == ELaunchMode::VersionBox) {
        platform_.messageBox().show(kVersionTitle, kVersionText, EBoxIcon::None);
        exitCode_ = 0;
        return false;
    }
    reportKnowledgeFiles();
    if (!init()) {
        logs_.writeErrorLog("WinMain::could not initialize application", false);
    }
    if (!cInit()) {
        postQuit(0);
        return false;
    }
    return true;
}

void CApplication::runLoopStep()
{
    if (quitPosted_) {
        return;
    }
    if (std::optional<SMessage> message = platform_.messageQueue().takeMessage()) {
        handleMessage(*message);
        return;
    }
    if (state_.active) {
        renderFrame();
    } else {
        platform_.messageQueue().waitForMessage();
    }
}

bool CApplication::runFrameStep()
{
    while (!quitPosted_) {
        std::optional<SMessage> message = platform_.messageQueue().takeMessage();
        if (!message) {
            break;
        }
        handleMessage(*message);
    }
    if (!quitPosted_ && state_.active) {
        renderFrame();
    }
    return !quitPosted_;
}

void CApplication::handleMessage(const SMessage& message)
{
    switch (message.kind) {
    case EMessageKind::Activate:
        state_.active = message.active;
        break;
    case EMessageKind::Close:
        closeWindow();
        break;
    case EMessageKind::ToggleWindowMode:
        platform_.toggleWindowMode();
        break;
    case EMessageKind::Repaint:
        showLastFrameAgain();
        break;
    }
}

// An inactive program draws no frames, and an active one sends the display none while its
// picture stays the same, so what another window uncovered would stay empty: the last frame
// is shown again, and nothing is drawn.
void CApplication::showLastFrameAgain()
{
    if (screen_ && !shutDown_) {
        screen_->PresentAgain();
    }
}

// WM_CLOSE: shutdown, then the quit message. Runs once, however many closes arrive.
void CApplication::closeWindow()
{
    if (!shutDown_) {
        shutdown();
    }
    postQuit(0);
}

void CApplication::showErrorBox(const std::string& message)
{
    platform_.messageBox().show("Error", message, EBoxIcon::Error);
}

void CApplication::postQuit(int exitCode)
{
    if (!quitPosted_) {
        quitPosted_ = true;
        exitCode_ = exitCode;
    }
}

// Only this way out of the settings screen stores its values.
void CApplication::backToMenu()
{
    if (state_.screenState == EScreen::Settings) {
        settings_.storeValues();
    }
    scene_.leave();
    titleMenu_.enter();
}
