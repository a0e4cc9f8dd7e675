#pragma once
#include "platform/win32/Win32Api.h"

#include <optional>

class CDirectInputSource;
class CWin32MessageQueue;

// Where the window's messages go: the shell's queue and the input (none until it is made).
struct SWindowTargets {
    CWin32MessageQueue& queue;
    CDirectInputSource* input = nullptr;
};

// The window procedure's part: activation, close (also at the end of the session), the
// hidden system cursor, Alt+Enter, repaints, and keys, characters and the pointer for the
// input. Nothing for the messages the system's default handling is right for.
std::optional<LRESULT> routeWindowMessage(const SWindowTargets& targets, HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam);
