#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Where the program finds its data (sw.dat, hv.dat, gfx/, resource.dat) and where its logs go.
// Started in a folder that holds the data, it works there as it always did: data and logs in
// the working folder. Started anywhere else (from the desktop menu, in the user's home), it
// reads an installed data folder, which it never writes to, and logs into the user's state
// folder instead.

// What the search is given; the caller reads the command line and the environment.
struct SDataSearch {
    std::filesystem::path workingFolder;
    std::filesystem::path commandLineFolder; // --data DIR; empty when not given
    std::string environmentFolder;           // $MINNESPIEGEL_DATA; empty when unset
    std::filesystem::path executable;        // the running program; empty when unknown
    std::filesystem::path compiledInFolder;  // the data folder of the configured install prefix
};

struct SDataLocation {
    bool found = false;
    // The working folder holds the data: data and logs stay there.
    bool inWorkingFolder = false;
    std::filesystem::path folder;
    // Every place looked at, in order, for the message when nothing was found.
    std::vector<std::filesystem::path> looked;
};

// The installed data folder, relative to the folder of the executable.
inline const std::filesystem::path kInstalledDataRelative = "../share/minnespiegel";

// A folder with at least two of the four pieces of data counts as a data folder, so a program
// folder with one piece missing still reports that piece as missing, as it always did.
bool holdsProgramData(const std::filesystem::path& folder);

// The order: --data (when given, nothing else is tried; the working folder itself given so
// counts as the working folder); the working folder; $MINNESPIEGEL_DATA; the installed folder
// beside the executable; the compiled-in folder.
SDataLocation locateData(const SDataSearch& search);

// $XDG_STATE_HOME/minnespiegel, or ~/.local/state/minnespiegel; variables that are not
// absolute paths are ignored. Nothing when there is no home either.
std::optional<std::filesystem::path> stateFolder(const char* xdgStateHome, const char* home);

// The running program's own file: the system's link to it, else argv[0] when that names a path.
std::filesystem::path executablePath(const char* argv0);

// The text (Windows-1252) that tells the user no data was found and where it was looked for.
std::string missingDataMessage(const SDataLocation& location);

// The data folder of the prefix the program was configured for.
std::filesystem::path compiledInDataFolder();

// The search as this process sees it: its working folder, $MINNESPIEGEL_DATA, its own file and
// the data folder of the prefix it was configured for.
SDataSearch processDataSearch(const std::filesystem::path& commandLineFolder, const char* argv0);
