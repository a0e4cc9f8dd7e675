#include "platform/sdl/SdlWindow.h"

#include "common/Cp1252.h"

#include <SDL.h>

#ifdef MINNE_WINDOW_ICON
#include "WindowIcon.h"
#endif

namespace {

constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;

// Without a window manager nobody honours the full-screen request, and the renderer would draw
// for the desktop's size into a window of the picture's size. Placing the window over the whole
// display ourselves makes both agree; with a window manager it changes nothing.
void coverDisplay(SDL_Window* window)
{
    const int display = SDL_GetWindowDisplayIndex(window);
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(display < 0 ? 0 : display, &bounds) != 0) {
        return;
    }
    SDL_SetWindowPosition(window, bounds.x, bounds.y);
    SDL_SetWindowSize(window, bounds.w, bounds.h);
}

// The desktop entry finds its window by one name: X11's WM_CLASS and Wayland's app id are the
// desktop file's name. SDL reads them when its video starts; the user's own values win.
void nameWindowClass()
{
#ifdef MINNE_APP_ID
    SDL_setenv("SDL_VIDEO_X11_WMCLASS", MINNE_APP_ID, 0);
    SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", MINNE_APP_ID, 0);
#endif
}

// The program's icon in the task bar and the window switcher.
void setIcon([[maybe_unused]] SDL_Window* window)
{
#ifdef MINNE_WINDOW_ICON
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<unsigned char*>(kWindowIconRgba),
                                                           kWindowIconSize, kWindowIconSize, 32,
                                                           kWindowIconSize * 4, SDL_PIXELFORMAT_RGBA32);
    if (icon) {
        SDL_SetWindowIcon(window, icon);
        SDL_FreeSurface(icon);
    }
#endif
}

} // namespace

std::unique_ptr<CSdlWindow> CSdlWindow::create(const std::string& title, EWindowMode mode, std::string* error)
{
    nameWindowClass();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        if (error) {
            *error = SDL_GetError();
        }
        return nullptr;
    }
    // A full-screen window starts as a borderless one over the whole display and then asks for
    // full screen, so it covers the display also where no window manager honours the request.
    const bool fullScreen = mode == EWindowMode::FullScreen;
    SDL_Rect bounds{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWindowWidth, kWindowHeight};
    if (fullScreen && SDL_GetDisplayBounds(0, &bounds) != 0) {
        bounds = {SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWindowWidth, kWindowHeight};
    }
    const Uint32 flags = fullScreen ? SDL_WINDOW_BORDERLESS : SDL_WINDOW_RESIZABLE;
    SDL_Window* window =
        SDL_CreateWindow(cp1252ToUtf8(title).c_str(), bounds.x, bounds.y, bounds.w, bounds.h, flags);
    if (!window) {
        if (error) {
            *error = SDL_GetError();
        }
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    setIcon(window);
    if (fullScreen) {
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    // The program draws its own cursor.
    SDL_ShowCursor(SDL_DISABLE);
    return std::unique_ptr<CSdlWindow>(new CSdlWindow(window, mode));
}

CSdlWindow::~CSdlWindow()
{
    SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool CSdlWindow::isFullScreen() const { return (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0; }

bool CSdlWindow::toggleFullScreen() { return setFullScreen(!isFullScreen()); }

bool CSdlWindow::setFullScreen(bool fullScreen)
{
    if (fullScreen == isFullScreen()) {
        return true;
    }
    if (fullScreen) {
        SDL_SetWindowBordered(window_, SDL_FALSE);
        coverDisplay(window_);
    }
    if (SDL_SetWindowFullscreen(window_, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        return false;
    }
    if (!fullScreen) {
        // Back from the desktop-sized borderless window to an ordinary one of the picture's size.
        SDL_SetWindowBordered(window_, SDL_TRUE);
        SDL_SetWindowResizable(window_, SDL_TRUE);
        SDL_SetWindowSize(window_, kWindowWidth, kWindowHeight);
        SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    return true;
}
