#include "common/DataLocation.h"
#include "common/ProgramFile.h"
#include "diagnostics/CLogs.h"
#include "platform/ShellPlatform.h"
#include "shell/CApplication.h"
#include "shell/CommandLine.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <system_error>
#include <string>
#include <vector>

#ifdef __EMSCRIPTEN__
#include "platform/web/WebFrameLoop.h"
#endif

namespace {

void print(std::FILE* stream, const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
}

// The log keeps one line per message: the box's lines joined by blanks.
std::string oneLine(std::string text)
{
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at)) {
        const std::size_t end = text.find_first_not_of(' ', at + 1);
        text.replace(at, (end == std::string::npos ? text.size() : end) - at, " ");
    }
    return text;
}

// Away from its data folder the program logs into the user's state folder, never into the
// (read-only) installed data; without a home it has nowhere better than the working folder.
std::filesystem::path prepareLogFolder()
{
    const auto folder = stateFolder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
    if (!folder) {
        return {};
    }
    std::error_code error;
    std::filesystem::create_directories(*folder, error);
    return *folder;
}

#ifdef __EMSCRIPTEN__
// In a page the browser owns the loop: the program lives on after main returns and draws one
// frame per display refresh. The application goes before the platform it runs on.
int runInPage(std::unique_ptr<IShellPlatform> platform, const std::filesystem::path& logFolder,
              const SLaunchOptions& options)
{
    struct SProgram {
        std::unique_ptr<IShellPlatform> platform;
        std::unique_ptr<CApplication> application;
    };
    auto program = std::make_shared<SProgram>();
    program->platform = std::move(platform);
    program->application = std::make_unique<CApplication>(*program->platform, logFolder);
    // A program that could not start is over at its first frame; its box stays on the page.
    program->application->startUp(options);
    runFrameLoop([program] { return program->application->runFrameStep(); });
    return 0;
}
#endif

int run(const SLaunchOptions& options, const char* argv0)
{
    const SDataLocation data = locateData(processDataSearch(pathFromNarrowName(options.dataFolder), argv0));
    const std::filesystem::path logFolder = data.inWorkingFolder ? std::filesystem::path() : prepareLogFolder();
    std::error_code error;
    if (data.found && !data.inWorkingFolder) {
        // Every file of the program is then named from its data folder, as in its own folder.
        std::filesystem::current_path(data.folder, error);
    }
    std::unique_ptr<IShellPlatform> platform =
        makeShellPlatform(options.startInWindow ? EWindowMode::Windowed : EWindowMode::FullScreen);
    if (!data.found || error) {
        CStderrFatalSink unused;
        CLogs(platform->clock(), unused, logFolder).writeErrorLog(oneLine(missingDataMessage(data)), false);
        platform->messageBox().show("Error", missingDataMessage(data), EBoxIcon::Error);
        return 1;
    }
#ifdef __EMSCRIPTEN__
    return runInPage(std::move(platform), logFolder, options);
#else
    CApplication application(*platform, logFolder);
    return application.winMain(options);
#endif
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
    return run(options, argc > 0 ? argv[0] : nullptr);
}
