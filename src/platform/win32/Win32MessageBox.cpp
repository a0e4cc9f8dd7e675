#include "platform/win32/Win32MessageBox.h"

#include <cstdio>

UINT messageBoxStyle(EBoxIcon icon)
{
    switch (icon) {
    case EBoxIcon::Error:
        return MB_OK | MB_ICONERROR;
    case EBoxIcon::Information:
        return MB_OK | MB_ICONINFORMATION;
    case EBoxIcon::None:
        break;
    }
    return MB_OK;
}

void CWin32MessageBox::show(const std::string& title, const std::string& text, EBoxIcon icon)
{
    // The texts are Windows-1252 already, which is what the ANSI call expects here.
    if (MessageBoxA(owner_, text.c_str(), title.c_str(), messageBoxStyle(icon)) == 0) {
        const std::string line = title + ": " + text + "\n";
        std::fwrite(line.data(), 1, line.size(), stderr);
        std::fflush(stderr);
    }
}
