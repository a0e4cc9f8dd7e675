#include "common/DataLocation.h"

#include "common/Cp1252.h"

#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool isFile(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool isFolder(const fs::path& path)
{
    std::error_code error;
    return fs::is_directory(path, error);
}

bool absolute(const char* value)
{
    return value && fs::path(value).is_absolute();
}

// Tries one place and notes it; true when it holds the data.
bool tryFolder(SDataLocation& location, const fs::path& folder)
{
    location.looked.push_back(folder);
    if (!holdsProgramData(folder)) {
        return false;
    }
    location.found = true;
    location.folder = folder;
    return true;
}

bool sameFolder(const fs::path& a, const fs::path& b)
{
    std::error_code error;
    return fs::equivalent(a, b, error);
}

} // namespace

bool holdsProgramData(const fs::path& folder)
{
    const int pieces = int(isFile(folder / "sw.dat")) + int(isFile(folder / "hv.dat")) +
                       int(isFolder(folder / "gfx")) + int(isFile(folder / "resource.dat"));
    return pieces >= 2;
}

SDataLocation locateData(const SDataSearch& search)
{
    SDataLocation location;
    // An explicit folder is the user's word: it goes first, and a wrong one is reported, never
    // replaced by another.
    if (!search.commandLineFolder.empty()) {
        tryFolder(location, search.commandLineFolder);
        location.inWorkingFolder = location.found && sameFolder(location.folder, search.workingFolder);
        return location;
    }
    if (tryFolder(location, search.workingFolder)) {
        location.inWorkingFolder = true;
        return location;
    }
    if (!search.environmentFolder.empty() && tryFolder(location, search.environmentFolder)) {
        return location;
    }
    if (!search.executable.empty() &&
        tryFolder(location, (search.executable.parent_path() / kInstalledDataRelative).lexically_normal())) {
        return location;
    }
    if (!search.compiledInFolder.empty()) {
        tryFolder(location, search.compiledInFolder);
    }
    return location;
}

std::optional<fs::path> stateFolder(const char* xdgStateHome, const char* home)
{
    if (absolute(xdgStateHome)) {
        return fs::path(xdgStateHome) / "minnespiegel";
    }
    if (absolute(home)) {
        return fs::path(home) / ".local" / "state" / "minnespiegel";
    }
    return std::nullopt;
}

fs::path executablePath(const char* argv0)
{
    std::error_code error;
    fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (!error && self.is_absolute()) {
        return self;
    }
    const std::string given = argv0 ? argv0 : "";
    if (given.find('/') == std::string::npos) {
        return {}; // found through PATH: no folder to start from
    }
    self = fs::absolute(given, error);
    return error ? fs::path() : self.lexically_normal();
}

std::string missingDataMessage(const SDataLocation& location)
{
    std::string text = "Die Daten des Minnespiegels (sw.dat, hv.dat, gfx, resource.dat) wurden nicht gefunden.\n"
                       "Gesucht in:";
    for (const fs::path& place : location.looked) {
        text += "\n  " + utf8ToCp1252(place.string(), '?');
    }
    text += "\nEin anderer Ordner kann mit --data ORDNER oder MINNESPIEGEL_DATA angegeben werden.";
    return text;
}

fs::path compiledInDataFolder()
{
#ifdef MINNE_INSTALLED_DATA_DIR
    return MINNE_INSTALLED_DATA_DIR;
#else
    return {};
#endif
}

SDataSearch processDataSearch(const fs::path& commandLineFolder, const char* argv0)
{
    SDataSearch search;
    std::error_code error;
    search.workingFolder = fs::current_path(error);
    search.commandLineFolder = commandLineFolder;
    const char* environment = std::getenv("MINNESPIEGEL_DATA");
    search.environmentFolder = environment ? environment : "";
    search.executable = executablePath(argv0);
    search.compiledInFolder = compiledInDataFolder();
    return search;
}
