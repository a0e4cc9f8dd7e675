#pragma once
#include "platform/ShellPlatform.h"

// A notice as a dialog in the page, drawn over the picture; it does not stop the program, as
// nothing in a page may wait for the user.
class CWebMessageBox final : public IMessageBox {
public:
    void show(const std::string& title, const std::string& text, EBoxIcon icon) override;
};

// Opens an address in a new tab of the browser the program runs in.
class CWebBrowser final : public IBrowserLauncher {
public:
    SLaunchResult openAddress(const std::string& address) override;
};
