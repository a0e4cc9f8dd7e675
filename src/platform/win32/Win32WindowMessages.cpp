#include "platform/win32/Win32WindowMessages.h"

#include "platform/win32/DirectInputSource.h"
#include "platform/win32/Win32InputTranslation.h"
#include "platform/win32/Win32MessageQueue.h"

namespace {

void forwardKey(const SWindowTargets& targets, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (targets.input) {
        targets.input->onKeyMessage(message, wParam, lParam);
    }
}

std::optional<LRESULT> routeKey(const SWindowTargets& targets, UINT message, WPARAM wParam, LPARAM lParam)
{
    forwardKey(targets, message, wParam, lParam);
    if (isAltEnter(message, wParam, lParam)) {
        targets.queue.post(SMessage{EMessageKind::ToggleWindowMode, false});
        return 0;
    }
    if (message == WM_SYSKEYDOWN && wParam == VK_F4) {
        return std::nullopt; // Alt+F4 closes, by the system's handling
    }
    // Alt alone or F10 would enter the menu loop of a window that has no menu.
    if (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP) {
        return 0;
    }
    return std::nullopt;
}

bool isMouseMessage(UINT message)
{
    return message == WM_MOUSEMOVE || message == WM_MOUSELEAVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP ||
           message == WM_RBUTTONDOWN || message == WM_RBUTTONUP || message == WM_MBUTTONDOWN || message == WM_MBUTTONUP;
}

} // namespace

std::optional<LRESULT> routeWindowMessage(const SWindowTargets& targets, HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATEAPP:
        if (targets.input) {
            targets.input->onActivate(wParam != 0);
        }
        targets.queue.post(SMessage{EMessageKind::Activate, wParam != 0});
        return 0;
    case WM_CLOSE:
        // The shell shuts down and then lets the window go; the default would destroy it now.
        targets.queue.post(SMessage{EMessageKind::Close, false});
        return 0;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION:
        if (wParam != 0) {
            targets.queue.post(SMessage{EMessageKind::Close, false});
        }
        return 0;
    case WM_SETCURSOR:
        // Over the picture the program draws its own cursor; the frame keeps the system's.
        if (LOWORD(lParam) == HTCLIENT) {
            SetCursor(nullptr);
            return TRUE;
        }
        return std::nullopt;
    case WM_PAINT:
        ValidateRect(window, nullptr);
        targets.queue.post(SMessage{EMessageKind::Repaint, false});
        return 0;
    case WM_ERASEBKGND: return 1; // the next frame covers it
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: return routeKey(targets, message, wParam, lParam);
    case WM_SYSCHAR: return 0; // no beep for Alt+Enter
    case WM_CHAR:
        if (targets.input) {
            targets.input->onChar(wParam);
        }
        return 0;
    default: break;
    }
    if (isMouseMessage(message)) {
        if (targets.input) {
            targets.input->onMouseMessage(message, wParam, lParam);
        }
        return 0;
    }
    return std::nullopt;
}
