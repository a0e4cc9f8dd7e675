#include "common/DataLocation.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace fs = std::filesystem;

namespace {

class DataLocationTest : public ::testing::Test {
protected:
    // A folder with the named pieces of data: "sw.dat", "hv.dat", "resource.dat" or "gfx".
    fs::path folder(const std::string& name, std::initializer_list<std::string> pieces)
    {
        fs::create_directories(temp_ / name);
        for (const std::string& piece : pieces) {
            if (piece == "gfx") {
                fs::create_directories(temp_ / name / piece);
            } else {
                temp_.write(name + "/" + piece, "x");
            }
        }
        return temp_ / name;
    }

    CTempFolder temp_{"datalocation"};
};

TEST_F(DataLocationTest, AFolderNeedsTwoPiecesOfData)
{
    // A program folder whose knowledge files are gone is still the program's folder.
    EXPECT_FALSE(holdsProgramData(folder("empty", {})) || holdsProgramData(folder("only-gfx", {"gfx"})) ||
                 holdsProgramData(folder("only-sw", {"sw.dat"})));
    EXPECT_TRUE(holdsProgramData(folder("full", {"sw.dat", "hv.dat", "gfx", "resource.dat"})) &&
                holdsProgramData(folder("no-knowledge", {"gfx", "resource.dat"})) &&
                holdsProgramData(folder("no-package", {"sw.dat", "gfx"})));
    // Names alone are not enough: a folder called sw.dat is no knowledge file.
    fs::create_directories(folder("odd", {"gfx"}) / "sw.dat");
    EXPECT_FALSE(holdsProgramData(temp_ / "odd"));
    EXPECT_FALSE(holdsProgramData(temp_ / "missing"));
}

// The working folder with data wins over every installed place; then the environment's
// folder, the share folder beside the program and the compiled-in folder, each noted; a folder
// given on the command line is the only place looked.
TEST_F(DataLocationTest, PlacesAreTriedInOrderAndEachIsNoted)
{
    SDataSearch search;
    search.workingFolder = folder("work", {"sw.dat", "gfx"});
    search.environmentFolder = folder("env", {"sw.dat", "gfx"}).string();
    search.compiledInFolder = folder("compiled", {"sw.dat", "gfx"});
    EXPECT_TRUE(locateData(search).inWorkingFolder);
    EXPECT_EQ(locateData(search).folder, search.workingFolder);

    const fs::path installed = folder("usr/share/minnespiegel", {"sw.dat", "hv.dat", "gfx", "resource.dat"});
    search.workingFolder = folder("home", {});
    search.environmentFolder = folder("env-short", {"hv.dat"}).string(); // too little: passed by
    search.executable = folder("usr/bin", {}) / "minnespiegel";
    SDataLocation found = locateData(search);
    EXPECT_TRUE(found.found);
    EXPECT_FALSE(found.inWorkingFolder);
    EXPECT_EQ(found.folder, installed);
    EXPECT_EQ(found.looked, (std::vector<fs::path>{search.workingFolder, search.environmentFolder, installed}));

    search.environmentFolder = (temp_ / "env").string();
    EXPECT_EQ(locateData(search).folder, search.environmentFolder);
    search.environmentFolder.clear();
    search.executable = temp_ / "elsewhere" / "minnespiegel";
    found = locateData(search);
    EXPECT_EQ(found.folder, search.compiledInFolder);
    EXPECT_EQ(found.looked.size(), 3u);

    // A folder given on the command line is the only place looked.
    search.workingFolder = temp_ / "work";
    search.commandLineFolder = folder("given", {"sw.dat", "gfx"});
    EXPECT_EQ(locateData(search).folder, search.commandLineFolder);
    EXPECT_FALSE(locateData(search).inWorkingFolder);
    // The working folder named by its own path is still the working folder: logs stay there.
    search.commandLineFolder = temp_ / "work" / ".";
    EXPECT_TRUE(locateData(search).inWorkingFolder);
    search.commandLineFolder = folder("wrong", {"sw.dat"});
    found = locateData(search);
    EXPECT_FALSE(found.found);
    EXPECT_EQ(found.looked, std::vector<fs::path>{search.commandLineFolder});
}

TEST_F(DataLocationTest, NothingFoundNamesEveryPlaceInTheMessage)
{
    SDataSearch search;
    search.workingFolder = folder("h\xC3\xB6me", {});
    search.executable = temp_ / "bin" / "minnespiegel";
    search.compiledInFolder = temp_ / "compiled";
    const SDataLocation found = locateData(search);
    EXPECT_FALSE(found.found);
    ASSERT_EQ(found.looked.size(), 3u);
    const std::string message = missingDataMessage(found);
    // The box shows Windows-1252: the UTF-8 folder name arrives as one byte per letter.
    for (const std::string& part :
         {(temp_ / "h\xF6me").string(), (temp_ / "share" / "minnespiegel").string(),
          (temp_ / "compiled").string(), std::string("--data"), std::string("MINNESPIEGEL_DATA")}) {
        EXPECT_NE(message.find(part), std::string::npos) << part << " in " << message;
    }
}

TEST(StateFolder, XdgStateHomeThenHomeAndOnlyAbsolutePaths)
{
    // Absolute as the system running the test spells it (a drive on Windows).
    const fs::path state = fs::temp_directory_path() / "state";
    const fs::path home = fs::temp_directory_path() / "home" / "u";
    const std::string homeText = home.string();
    const fs::path fromHome = home / ".local" / "state" / "minnespiegel";
    EXPECT_EQ(stateFolder(state.string().c_str(), homeText.c_str()), state / "minnespiegel");
    EXPECT_EQ(stateFolder(nullptr, homeText.c_str()), fromHome);
    EXPECT_EQ(stateFolder("", homeText.c_str()), fromHome);
    EXPECT_EQ(stateFolder("relative/state", homeText.c_str()), fromHome);
    EXPECT_EQ(stateFolder(nullptr, nullptr), std::nullopt);
    EXPECT_EQ(stateFolder("x", "home"), std::nullopt);
}

} // namespace
