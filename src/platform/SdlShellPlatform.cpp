#include "platform/SdlShellPlatform.h"

#include "platform/FontRasterizer.h"
#include "platform/SdlDisplay.h"
#include "platform/SdlInputSource.h"
#include "settings/CFileRegistryStore.h"
#include "shell/CommandLine.h"

#include <SDL.h>

CSdlShellPlatform::CSdlShellPlatform(WindowMode startMode)
    : startMode_(startMode),
      registry_(openUserRegistry()),
      messages_([this](const SDL_Event& event) { forwardToInput(event); })
{
}

CSdlShellPlatform::~CSdlShellPlatform() = default;

bool CSdlShellPlatform::createMainWindow()
{
    window_ = CSdlWindow::create(kWindowTitle, startMode_);
    if (!window_) {
        return false;
    }
    messageBox_.setParent(window_->sdlWindow());
    CSdlWindow* window = window_.get();
    input_ = std::make_unique<CSdlInputSource>(window->sdlWindow(), [window] { return window->isFullScreen(); });
    return true;
}

std::unique_ptr<IDisplay> CSdlShellPlatform::createDisplay()
{
    if (!window_) {
        return nullptr;
    }
    return std::make_unique<CSdlDisplay>(*window_, clock_);
}

std::unique_ptr<IFontRasterizer> CSdlShellPlatform::createFonts()
{
    return std::make_unique<CFontRasterizer>();
}

IInputSource* CSdlShellPlatform::inputSource()
{
    return input_.get();
}

void CSdlShellPlatform::toggleWindowMode()
{
    if (window_) {
        window_->toggleFullScreen();
    }
}

void CSdlShellPlatform::forwardToInput(const SDL_Event& event)
{
    if (input_) {
        input_->handleEvent(event);
    }
}
