#include "platform/sdl/SdlShellPlatform.h"

#include "platform/sdl/FontRasterizer.h"
#include "platform/sdl/SdlDisplay.h"
#include "platform/sdl/SdlInputSource.h"
#include "platform/SystemServices.h"
#include "settings/IRegistryStore.h"

#include <SDL.h>

#include <filesystem>
#include <system_error>
#include <thread>

namespace {

// Without a GPU render node, OpenGL on this system can only be a software rasteriser (as under
// Xvfb or in a virtual machine); drawing the frame through it costs several times what SDL's
// own software path does, in processor time and memory. The user's own SDL settings win.
bool hasGpuRenderNode()
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", error)) {
        if (entry.path().filename().string().rfind("renderD", 0) == 0) {
            return true;
        }
    }
    return false;
}

void preferSoftwareDrawingWithoutGpu()
{
    if (!hasGpuRenderNode()) {
        SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_DEFAULT);
        SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
    }
}

} // namespace

CSdlShellPlatform::CSdlShellPlatform(EWindowMode startMode)
    : startMode_(startMode),
      registry_(openUserRegistry()),
      messages_([this](const SDL_Event& event) { forwardToInput(event); })
{
}

// Closing the sound device waits for the mixing thread's next buffer, and giving up a full-screen
// window waits for the window manager to answer; each takes about a tenth of a second, and
// neither needs the other, so they overlap. The subsystems themselves are shut down one after
// the other, on this thread, by the members' destructors.
CSdlShellPlatform::~CSdlShellPlatform()
{
    std::thread closeSound([this] { audio_.shutDown(); });
    input_.reset();
    window_.reset();
    closeSound.join();
}

bool CSdlShellPlatform::createMainWindow()
{
    preferSoftwareDrawingWithoutGpu();
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
