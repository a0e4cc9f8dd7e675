#pragma once
#include "platform/ShellPlatform.h"
#include "platform/ShellPlatform.h"
#include "platform/win32/Win32Api.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

// The one program window. Full screen it is a borderless always-on-top popup over the whole
// screen; as a window it has a frame and an 800 x 600 client area that the user may resize.
// Its messages go to the handler given at creation; what the handler leaves (nothing returned)
// gets the system's default handling.
class CWin32Window {
public:
    using Handler = std::function<std::optional<LRESULT>(HWND window, UINT message, WPARAM wParam, LPARAM lParam)>;

    // The window with a Windows-1252 title, shown, or nullptr when the system refused it.
    static std::unique_ptr<CWin32Window> create(const std::string& title, EWindowMode mode, Handler handler);
    ~CWin32Window();
    CWin32Window(const CWin32Window&) = delete;
    CWin32Window& operator=(const CWin32Window&) = delete;

    HWND handle() const { return window_; }
    HINSTANCE instance() const { return instance_; }
    // The window the user asked for at start.
    EWindowMode requestedMode() const { return requestedMode_; }

    // What the user wants now (Alt+Enter flips it); the display follows at its next frame and
    // then gives the window the matching frame and place with applyStyle.
    bool wantsFullScreen() const { return wantsFullScreen_; }
    void toggleWanted() { wantsFullScreen_ = !wantsFullScreen_; }
    void setWanted(bool fullScreen) { wantsFullScreen_ = fullScreen; }
    // The frame and place the window has.
    bool isFullScreen() const { return fullScreen_; }
    void applyStyle(bool fullScreen);

private:
    CWin32Window(HINSTANCE instance, EWindowMode mode, Handler handler);
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    HWND window_ = nullptr;
    EWindowMode requestedMode_;
    Handler handler_;
    bool wantsFullScreen_;
    bool fullScreen_;
    bool classRegistered_ = false;
};
