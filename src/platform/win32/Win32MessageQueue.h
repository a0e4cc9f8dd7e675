#pragma once
#include "platform/win32/Win32Api.h"
#include "platform/ShellPlatform.h"

#include <deque>

// The thread's Windows message queue as the shell's: messages are taken with PeekMessageA,
// translated (so key presses also bring their WM_CHAR) and dispatched; what the window
// procedure makes of them for the shell (activation, close, Alt+Enter, repaint) is posted here.
class CWin32MessageQueue final : public IMessageQueue {
public:
    void post(const SMessage& message) { pending_.push_back(message); }

    std::optional<SMessage> takeMessage() override;
    // WaitMessage: returns when a message the thread has not looked at arrives.
    void waitForMessage() override;

private:
    std::optional<SMessage> takePending();

    std::deque<SMessage> pending_;
};
