#pragma once
#include "common/Version.h"

#include <string>
#include <vector>

// What the command line asks the program to do.
enum class ELaunchMode {
    Run,          // the oracle, full screen (or in a window with --window)
    VersionBox,   // "/v" somewhere in the command line: only the version box
    PrintVersion, // --version: the version on standard output
    PrintHelp,    // --help: the usage on standard output
    UsageError,   // an option we do not know: usage on standard error, exit 2
};

struct SLaunchOptions {
    ELaunchMode mode = ELaunchMode::Run;
    bool startInWindow = false;
    std::string dataFolder; // --data DIR; empty when not given
    std::string badOption; // the offending argument for UsageError
};

// The arguments after the program name. Our own options start with "--"; any other text is
// ignored, as the original command line was (the folder after --data too), except that "/v" anywhere in a command line of
// more than one character asks for the version box.
SLaunchOptions parseCommandLine(const std::vector<std::string>& arguments);

// The arguments joined by blanks, as the program would have received its command line.
std::string joinCommandLine(const std::vector<std::string>& arguments);

// Usage text for --help and for usage errors.
std::string usageText(const std::string& programName);

inline constexpr const char* kVersionText = "Minnespiegel 2004 Version " MINNE_VERSION;
inline constexpr const char* kVersionTitle = "Versionsinfo";
