#pragma once
#include "platform/ShellPlatform.h"

#include <sys/types.h>
#include <vector>

// Opens an address with the desktop's chosen browser through xdg-open, started directly (no
// shell, so the address is never interpreted) and not waited for beyond a short moment: a
// launcher that cannot start or gives up at once (no browser on the system) is a failure.
// Finished launchers are reaped, so none lingers as a zombie while the program runs.
class CXdgBrowser final : public IBrowserLauncher {
public:
    CXdgBrowser() = default;
    CXdgBrowser(const CXdgBrowser&) = delete;
    CXdgBrowser& operator=(const CXdgBrowser&) = delete;
    ~CXdgBrowser() override;

    SLaunchResult openAddress(const std::string& address) override;

private:
    SLaunchResult awaitQuickFailure(pid_t child);
    void reapFinished();

    std::vector<pid_t> children_;
};
