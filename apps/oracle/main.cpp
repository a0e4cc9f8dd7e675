// minnespiegel-oracle: the oracle (help check and answer engine) in a terminal.
#include "OracleOptions.h"
#include "OracleSession.h"

#include "common/Clock.h"
#include "common/DataLocation.h"
#include "common/Version.h"
#include "oracle/COracle.h"
#include "oracle/Random.h"

#include <iostream>
#include <system_error>

#ifdef _WIN32
#include "platform/win32/Utf8Console.h"
#endif

namespace {

int runEngine(const SOracleOptions& options)
{
    const CSystemClock clock;
    COracle oracle(clock, options.dataFolder);
    if (options.seed) {
        seedRandom(*options.seed);
    }
    noteKnowledgeTrouble(oracle, std::cerr);
    if (options.mode == EOracleMode::Raw) {
        runRaw(oracle, std::cin, std::cout);
        return 0;
    }
    runInteractive(oracle, std::cin, std::cout);
    return 0;
}

// Without --data: the working folder when it holds a knowledge file (all the oracle reads),
// else the installed data. When nothing is found the working folder stays, and the missing
// files are noted as they always were.
std::filesystem::path findDataFolder(const char* argv0)
{
    std::error_code error;
    if (std::filesystem::exists("sw.dat", error) || std::filesystem::exists("hv.dat", error)) {
        return {};
    }
    const SDataLocation data = locateData(processDataSearch({}, argv0));
    return data.found && !data.inWorkingFolder ? data.folder : std::filesystem::path();
}

} // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
#ifdef _WIN32
    const CUtf8Console console;
#endif
    auto options = parseOracleOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!options) {
        std::cerr << oracleUsage();
        return 2;
    }
    switch (options->mode) {
    case EOracleMode::Help:
        std::cout << oracleUsage();
        return 0;
    case EOracleMode::Version:
        std::cout << "minnespiegel-oracle " MINNE_VERSION " (Minnespiegel 2004 Version " MINNE_VERSION ")\n";
        return 0;
    default:
        break;
    }
    if (options->dataFolder.empty()) {
        options->dataFolder = findDataFolder(argv[0]);
    }
    std::error_code error;
    if (!options->dataFolder.empty() && !std::filesystem::is_directory(options->dataFolder, error)) {
        std::cerr << "minnespiegel-oracle: " << options->dataFolder.string() << ": kein Ordner\n";
        return 1;
    }
    if (options->mode == EOracleMode::Check) {
        return runCheck(options->dataFolder, std::cout, std::cerr);
    }
    return runEngine(*options);
}
