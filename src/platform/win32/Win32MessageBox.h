#pragma once
#include "platform/ShellPlatform.h"

#include "platform/win32/Win32Api.h"

// The system's message box; it blocks until dismissed. Where none can be shown (no desktop)
// the text goes to standard error, so the user still learns it.
class CWin32MessageBox final : public IMessageBox {
public:
    // The box belongs to this window once it exists, so it stays above the full-screen picture.
    void setOwner(HWND window) { owner_ = window; }

    void show(const std::string& title, const std::string& text, EBoxIcon icon) override;

private:
    HWND owner_ = nullptr;
};

// One OK button, and the stop icon for an error (16) or the information icon.
UINT messageBoxStyle(EBoxIcon icon);
