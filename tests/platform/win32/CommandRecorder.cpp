// A stand-in for a browser in the tests: writes its own command line, as the system passed
// it, to the file named in MINNE_RECORD_TO.
#include "platform/win32/Win32Api.h"

#include <cstdio>

int main()
{
    char path[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("MINNE_RECORD_TO", path, MAX_PATH)) {
        return 1;
    }
    std::FILE* out = std::fopen(path, "wb");
    if (!out) {
        return 1;
    }
    std::fprintf(out, "%s\n", GetCommandLineA());
    return std::fclose(out) == 0 ? 0 : 1;
}
