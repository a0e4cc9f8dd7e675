#pragma once
#include "platform/ShellPlatform.h"

#include <cstdint>
#include <memory>
#include <string>

struct SDL_Window;


// The one program window. It keeps SDL's video part running while it lives.
class CSdlWindow {
public:
    // The window with a Windows-1252 title, or nullptr with the reason in `error`.
    static std::unique_ptr<CSdlWindow> create(const std::string& title, EWindowMode mode, std::string* error = nullptr);
    ~CSdlWindow();
    CSdlWindow(const CSdlWindow&) = delete;
    CSdlWindow& operator=(const CSdlWindow&) = delete;

    // Full screen uses relative mouse motion; a window maps the pointer into 800 x 600.
    bool isFullScreen() const;
    // Switches between full screen and window (Alt+Enter); false when the platform refused.
    bool toggleFullScreen();
    bool setFullScreen(bool fullScreen);
    // The window the user asked for at start (full screen unless asked for a window).
    EWindowMode requestedMode() const { return requestedMode_; }

    SDL_Window* sdlWindow() const { return window_; }

private:
    CSdlWindow(SDL_Window* window, EWindowMode mode) : window_(window), requestedMode_(mode) {}

    SDL_Window* window_;
    EWindowMode requestedMode_;
};
