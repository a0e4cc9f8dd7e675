#pragma once
#include "platform/win32/Win32Api.h"

// While it lives, Ctrl+C, Ctrl+Break and the closing of the console window the program was
// started from close the program's window the orderly way (WM_CLOSE), as a close of the
// window itself would. Only one can live at a time.
class CConsoleCloseRequests {
public:
    explicit CConsoleCloseRequests(HWND window);
    ~CConsoleCloseRequests();
    CConsoleCloseRequests(const CConsoleCloseRequests&) = delete;
    CConsoleCloseRequests& operator=(const CConsoleCloseRequests&) = delete;

private:
    bool installed_ = false;
};
