#include "platform/SdlShellPlatform.h"
#include "shell/CApplication.h"
#include "shell/CommandLine.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

void print(std::FILE* stream, const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
}

int run(const SLaunchOptions& options)
{
    CSdlShellPlatform platform(options.startInWindow ? WindowMode::Windowed : WindowMode::FullScreen);
    CApplication application(platform);
    return application.winMain(options);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string programName = argc > 0 ? argv[0] : "minnespiegel";
    const SLaunchOptions options = parseCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
    switch (options.mode) {
    case ELaunchMode::PrintHelp:
        print(stdout, usageText(programName));
        return 0;
    case ELaunchMode::PrintVersion:
        print(stdout, std::string(kVersionText) + "\n");
        return 0;
    case ELaunchMode::UsageError:
        print(stderr, programName + ": unbekannte Option " + options.badOption + "\n" + usageText(programName));
        return 2;
    case ELaunchMode::VersionBox:
    case ELaunchMode::Run:
        break;
    }
    return run(options);
}
