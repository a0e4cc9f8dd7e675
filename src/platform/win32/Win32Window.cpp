#include "platform/win32/Win32Window.h"

#include "platform/win32/ResourceIds.h"

#include <algorithm>

namespace {

constexpr char kClassName[] = "Minnespiegel2004WndClass";
constexpr int kClientWidth = 800;
constexpr int kClientHeight = 600;
constexpr DWORD kWindowedStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kFullScreenStyle = WS_POPUP;

// The program's icon from its own resources; the system's where the exe carries none.
HICON programIcon(HINSTANCE instance)
{
    if (HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(MINNE_IDI_PROGRAM))) {
        return icon;
    }
    return LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
}

RECT outerRect(int clientWidth, int clientHeight)
{
    RECT rect{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&rect, kWindowedStyle, FALSE, 0);
    return rect;
}

// An 800 x 600 client area, centred in the work area with its frame. Where the frame does not
// fit, the client area still shows the picture at its own size and the frame reaches past the
// screen's edge: any smaller scale would make rows and columns of uneven width.
RECT windowedRect()
{
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const RECT outer = outerRect(kClientWidth, kClientHeight);
    auto place = [](LONG workStart, LONG workLength, LONG frameBefore, LONG outerLength, LONG clientLength) {
        if (outerLength <= workLength) {
            return workStart + (workLength - outerLength) / 2;
        }
        return workStart + std::max<LONG>(0, (workLength - clientLength) / 2) + frameBefore;
    };
    const LONG width = outer.right - outer.left;
    const LONG height = outer.bottom - outer.top;
    const LONG left = place(work.left, work.right - work.left, outer.left, width, kClientWidth);
    const LONG top = place(work.top, work.bottom - work.top, outer.top, height, kClientHeight);
    return RECT{left, top, left + width, top + height};
}

} // namespace

CWin32Window::CWin32Window(HINSTANCE instance, EWindowMode mode, Handler handler)
    : instance_(instance),
      requestedMode_(mode),
      handler_(std::move(handler)),
      wantsFullScreen_(mode == EWindowMode::FullScreen),
      fullScreen_(mode == EWindowMode::FullScreen)
{
}

std::unique_ptr<CWin32Window> CWin32Window::create(const std::string& title, EWindowMode mode, Handler handler)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    std::unique_ptr<CWin32Window> window(new CWin32Window(instance, mode, std::move(handler)));
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &CWin32Window::windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = programIcon(instance);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    window->classRegistered_ = RegisterClassA(&windowClass) != 0;

    const bool fullScreen = mode == EWindowMode::FullScreen;
    const RECT rect = fullScreen ? RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}
                                 : windowedRect();
    // The window procedure finds its object through the creation data from the first message on.
    HWND handle = CreateWindowExA(fullScreen ? WS_EX_TOPMOST : 0, kClassName, title.c_str(),
                                  fullScreen ? kFullScreenStyle : kWindowedStyle, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, instance,
                                  window.get());
    if (!handle) {
        return nullptr;
    }
    ShowWindow(handle, SW_SHOWNORMAL);
    UpdateWindow(handle);
    SetForegroundWindow(handle);
    return window;
}

CWin32Window::~CWin32Window()
{
    if (window_) {
        // Messages sent while the window goes must not reach a half-destroyed object.
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    if (classRegistered_) {
        UnregisterClassA(kClassName, instance_);
    }
}

void CWin32Window::applyStyle(bool fullScreen)
{
    fullScreen_ = fullScreen;
    const RECT rect = fullScreen ? RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}
                                 : windowedRect();
    SetWindowLongPtrA(window_, GWL_STYLE, static_cast<LONG_PTR>((fullScreen ? kFullScreenStyle : kWindowedStyle) | WS_VISIBLE));
    SetWindowLongPtrA(window_, GWL_EXSTYLE, fullScreen ? WS_EX_TOPMOST : 0);
    SetWindowPos(window_, fullScreen ? HWND_TOPMOST : HWND_NOTOPMOST, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_FRAMECHANGED | SWP_SHOWWINDOW);
}

LRESULT CALLBACK CWin32Window::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        auto* self = static_cast<CWin32Window*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (message == WM_GETMINMAXINFO) {
        // The system would keep the framed window within the screen and so shrink the picture;
        // it may be as large as its frame around an 800 x 600 picture.
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        const RECT outer = outerRect(kClientWidth, kClientHeight);
        limits->ptMaxTrackSize.x = std::max(limits->ptMaxTrackSize.x, outer.right - outer.left);
        limits->ptMaxTrackSize.y = std::max(limits->ptMaxTrackSize.y, outer.bottom - outer.top);
        return 0;
    }
    auto* self = reinterpret_cast<CWin32Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && self->handler_) {
        if (const std::optional<LRESULT> result = self->handler_(window, message, wParam, lParam)) {
            return *result;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
