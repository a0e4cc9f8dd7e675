#include "common/DataLocation.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

class DataLocationTest : public ::testing::Test {
protected:
    // A folder with the named pieces of data: "sw.dat", "hv.dat", "resource.dat" or "gfx".
    fs::path folder(const std::string& name, std::initializer_list<const char*> pieces)
    {
        const fs::path path = root_ / name;
        fs::create_directories(path);
        for (const std::string piece : pieces) {
            if (piece == "gfx") {
                fs::create_directories(path / piece);
            } else {
                std::ofstream(path / piece) << "x";
            }
        }
        return path;
    }

    CTempFolder temp_{"datalocation"};
    const fs::path& root_ = temp_.path();
};

TEST_F(DataLocationTest, AFolderNeedsTwoPiecesOfData)
{
    EXPECT_FALSE(holdsProgramData(folder("empty", {})));
    EXPECT_FALSE(holdsProgramData(folder("only-gfx", {"gfx"})));
    EXPECT_FALSE(holdsProgramData(folder("only-sw", {"sw.dat"})));
    EXPECT_TRUE(holdsProgramData(folder("full", {"sw.dat", "hv.dat", "gfx", "resource.dat"})));
    // A program folder whose knowledge files are gone is still the program's folder.
    EXPECT_TRUE(holdsProgramData(folder("no-knowledge", {"gfx", "resource.dat"})));
    EXPECT_TRUE(holdsProgramData(folder("no-package", {"sw.dat", "gfx"})));
    // Names alone are not enough: a folder called sw.dat is no knowledge file.
    const fs::path odd = folder("odd", {"gfx"});
    fs::create_directories(odd / "sw.dat");
    EXPECT_FALSE(holdsProgramData(odd));
    EXPECT_FALSE(holdsProgramData(root_ / "missing"));
}

TEST_F(DataLocationTest, TheWorkingFolderWithDataWinsOverEveryInstalledPlace)
{
    SDataSearch search;
    search.workingFolder = folder("work", {"sw.dat", "gfx"});
    search.environmentFolder = folder("env", {"sw.dat", "gfx"}).string();
    search.compiledInFolder = folder("compiled", {"sw.dat", "gfx"});
    const SDataLocation found = locateData(search);
    EXPECT_TRUE(found.found);
    EXPECT_TRUE(found.inWorkingFolder);
    EXPECT_EQ(found.folder, search.workingFolder);
}

TEST_F(DataLocationTest, PlacesAreTriedInOrderAndEachIsNoted)
{
    const fs::path prefix = root_ / "usr";
    const fs::path installed = folder("usr/share/minnespiegel", {"sw.dat", "hv.dat", "gfx", "resource.dat"});
    fs::create_directories(prefix / "bin");
    SDataSearch search;
    search.workingFolder = folder("home", {});
    search.environmentFolder = folder("env", {"hv.dat"}).string(); // too little: passed by
    search.executable = prefix / "bin" / "minnespiegel";
    search.compiledInFolder = folder("compiled", {"sw.dat", "gfx"});

    SDataLocation found = locateData(search);
    EXPECT_TRUE(found.found);
    EXPECT_FALSE(found.inWorkingFolder);
    EXPECT_EQ(found.folder, installed);
    EXPECT_EQ(found.looked, (std::vector<fs::path>{search.workingFolder, search.environmentFolder, installed}));

    search.environmentFolder = folder("env2", {"sw.dat", "gfx"}).string();
    EXPECT_EQ(locateData(search).folder, search.environmentFolder);

    search.environmentFolder.clear();
    search.executable = root_ / "elsewhere" / "minnespiegel";
    found = locateData(search);
    EXPECT_EQ(found.folder, search.compiledInFolder);
    EXPECT_EQ(found.looked.size(), 3u);
}

TEST_F(DataLocationTest, AGivenFolderIsTheOnlyPlaceLooked)
{
    SDataSearch search;
    search.workingFolder = folder("work", {"sw.dat", "gfx"});
    search.compiledInFolder = folder("compiled", {"sw.dat", "gfx"});
    search.commandLineFolder = folder("given", {"sw.dat", "gfx"});
    SDataLocation found = locateData(search);
    EXPECT_EQ(found.folder, search.commandLineFolder);
    EXPECT_FALSE(found.inWorkingFolder);

    // The working folder named by its own path is still the working folder: logs stay there.
    search.commandLineFolder = root_ / "work" / "." ;
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
    search.executable = root_ / "bin" / "minnespiegel";
    search.compiledInFolder = root_ / "compiled";
    const SDataLocation found = locateData(search);
    EXPECT_FALSE(found.found);
    ASSERT_EQ(found.looked.size(), 3u);
    const std::string message = missingDataMessage(found);
    // The box shows Windows-1252: the UTF-8 folder name arrives as one byte per letter.
    EXPECT_NE(message.find((root_ / "h\xF6me").string()), std::string::npos) << message;
    EXPECT_NE(message.find((root_ / "share" / "minnespiegel").string()), std::string::npos) << message;
    EXPECT_NE(message.find((root_ / "compiled").string()), std::string::npos) << message;
    EXPECT_NE(message.find("--data"), std::string::npos);
    EXPECT_NE(message.find("MINNESPIEGEL_DATA"), std::string::npos);
}

TEST(StateFolder, XdgStateHomeThenHomeAndOnlyAbsolutePaths)
{
    // Absolute as the system running the test spells it (a drive on Windows).
    const fs::path state = fs::temp_directory_path() / "state";
    const fs::path home = fs::temp_directory_path() / "home" / "u";
    const std::string homeText = home.string();
    EXPECT_EQ(stateFolder(state.string().c_str(), homeText.c_str()), state / "minnespiegel");
    EXPECT_EQ(stateFolder(nullptr, homeText.c_str()), home / ".local" / "state" / "minnespiegel");
    EXPECT_EQ(stateFolder("", homeText.c_str()), home / ".local" / "state" / "minnespiegel");
    EXPECT_EQ(stateFolder("relative/state", homeText.c_str()), home / ".local" / "state" / "minnespiegel");
    EXPECT_EQ(stateFolder(nullptr, nullptr), std::nullopt);
    EXPECT_EQ(stateFolder("x", "home"), std::nullopt);
}

} // namespace
