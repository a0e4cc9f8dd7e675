// Saves or loads one setting through the program's own settings code on the system registry,
// so a test can check what one process wrote is what the next one reads.
// usage: registry_probe save NAME VALUE | registry_probe load NAME
#include "platform/win32/Win32RegistryStore.h"
#include "settings/Settings.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    CWin32RegistryStore registry;
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "save" && argc == 4) {
        std::string failure;
        if (!SaveSetting(registry, argv[2], std::atoi(argv[3]), &failure)) {
            std::printf("%s\n", failure.c_str());
            return 1;
        }
        return 0;
    }
    if (command == "load" && argc == 3) {
        std::int32_t value = 0;
        if (!LoadSetting(registry, argv[2], value)) {
            std::printf("missing\n");
            return 1;
        }
        std::printf("%d\n", int(value));
        return 0;
    }
    std::fprintf(stderr, "usage: registry_probe save NAME VALUE | registry_probe load NAME\n");
    return 2;
}
