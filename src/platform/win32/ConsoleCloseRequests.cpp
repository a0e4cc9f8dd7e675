#include "platform/win32/ConsoleCloseRequests.h"

#include <atomic>

namespace {

// The console's handler runs on a thread of its own and is given no context, so the window it
// closes can only be found here; it is set and cleared by the one live object.
std::atomic<HWND>& closeTarget()
{
    static std::atomic<HWND> target{nullptr};
    return target;
}

BOOL WINAPI onConsoleEvent(DWORD event)
{
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT: break;
    default: return FALSE;
    }
    HWND window = closeTarget().load();
    return window && PostMessageA(window, WM_CLOSE, 0, 0) ? TRUE : FALSE;
}

} // namespace

CConsoleCloseRequests::CConsoleCloseRequests(HWND window)
{
    HWND expected = nullptr;
    if (window && closeTarget().compare_exchange_strong(expected, window)) {
        installed_ = SetConsoleCtrlHandler(&onConsoleEvent, TRUE) != 0;
        if (!installed_) {
            closeTarget().store(nullptr);
        }
    }
}

CConsoleCloseRequests::~CConsoleCloseRequests()
{
    if (installed_) {
        SetConsoleCtrlHandler(&onConsoleEvent, FALSE);
        closeTarget().store(nullptr);
    }
}
