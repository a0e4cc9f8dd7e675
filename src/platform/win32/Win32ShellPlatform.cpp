#include "platform/win32/Win32ShellPlatform.h"

#include "platform/SystemServices.h"
#include "platform/win32/DirectDrawDisplay.h"
#include "platform/win32/Win32WindowMessages.h"

#include "graphics/IFontRasterizer.h"
#include "graphics/Letterbox.h"
#include "settings/IRegistryStore.h"

namespace {

constexpr std::int32_t kPictureWidth = 800;
constexpr std::int32_t kPictureHeight = 600;

} // namespace

CWin32ShellPlatform::CWin32ShellPlatform(EWindowMode startMode)
    : startMode_(startMode), registry_(openUserRegistry())
{
}

CWin32ShellPlatform::~CWin32ShellPlatform()
{
    consoleCloses_.reset();
    input_.reset();
    window_.reset();
}

bool CWin32ShellPlatform::createMainWindow()
{
    window_ = CWin32Window::create(kWindowTitle, startMode_, [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return routeWindowMessage({messages_, input_.get()}, window, message, wParam, lParam);
    });
    if (!window_) {
        return false;
    }
    messageBox_.setOwner(window_->handle());
    CWin32Window* window = window_.get();
    input_ = std::make_unique<CDirectInputSource>(CDirectInputSource::SWindow{
        window->instance(), window->handle(), [window] { return window->isFullScreen(); },
        [this](std::int32_t x, std::int32_t y) { return clientToPicture(x, y); }});
    consoleCloses_ = std::make_unique<CConsoleCloseRequests>(window->handle());
    return true;
}

std::unique_ptr<IDisplay> CWin32ShellPlatform::createDisplay()
{
    if (!window_) {
        return nullptr;
    }
    return std::make_unique<CDirectDrawDisplay>(*window_, clock_);
}

std::unique_ptr<IFontRasterizer> CWin32ShellPlatform::createFonts() { return makeFontRasterizer(); }

void CWin32ShellPlatform::toggleWindowMode()
{
    if (window_) {
        window_->toggleWanted();
    }
}

SCursorPosition CWin32ShellPlatform::clientToPicture(std::int32_t x, std::int32_t y) const
{
    RECT client{};
    GetClientRect(window_->handle(), &client);
    const SLetterbox box = fitPicture(client.right, client.bottom, kPictureWidth, kPictureHeight);
    const SPicturePoint point = pictureFromArea(box, kPictureWidth, kPictureHeight, x, y);
    return {point.x, point.y};
}

std::unique_ptr<IShellPlatform> makeShellPlatform(EWindowMode startMode)
{
    return std::make_unique<CWin32ShellPlatform>(startMode);
}
