#include "platform/win32/Win32MessageQueue.h"

std::optional<SMessage> CWin32MessageQueue::takePending()
{
    if (pending_.empty()) {
        return std::nullopt;
    }
    SMessage message = pending_.front();
    pending_.pop_front();
    return message;
}

std::optional<SMessage> CWin32MessageQueue::takeMessage()
{
    if (std::optional<SMessage> message = takePending()) {
        return message;
    }
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The shell ends through its own quit; a quit posted by anyone else is a close.
            post(SMessage{EMessageKind::Close, false});
        } else {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (std::optional<SMessage> message = takePending()) {
            return message;
        }
    }
    return std::nullopt;
}

void CWin32MessageQueue::waitForMessage()
{
    if (pending_.empty()) {
        WaitMessage();
    }
}
