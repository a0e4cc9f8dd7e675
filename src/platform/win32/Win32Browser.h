#pragma once
#include "platform/ShellPlatform.h"

#include "platform/win32/Win32Api.h"

#include <string>
#include <string_view>

// Opens an address with the program the system's registry names for HTML files: the open
// command of the ".htm" file class, its quoted document placeholder and all after it replaced
// by the address, started with WinExec. When the registry names no such command, the system
// shell is asked to open the address itself, since a bare address is nothing WinExec can run.
class CWin32Browser final : public IBrowserLauncher {
public:
    SLaunchResult openAddress(const std::string& address) override;
};

// The command line for `address` from an open-command template: cut at the first quoted
// placeholder ("%1" in double quotes), then the address appended with no separator.
std::string homePageCommand(std::string_view commandTemplate, std::string_view address);

// The default value of root\subKey (at most 260 bytes), or nothing when the key cannot be
// opened; a key whose default value cannot be read gives an empty text.
struct SRegistryDefault {
    long result = 0;
    std::string value;
};
SRegistryDefault readRegistryDefault(HKEY root, const std::string& subKey);

// The ".htm" class's open command template, or an empty text when the registry has none.
std::string htmlOpenCommandTemplate();
