// The song package is a module that tools made for Windows modules read as we do.
#include "TestPackages.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>

namespace {

const std::filesystem::path kPackage = std::filesystem::path(MINNE_DATA_DIR) / "resource.dat";

bool haveResourceTool()
{
    return std::system("wrestool --version >/dev/null 2>&1") == 0;
}

std::string run(const std::string& command)
{
    std::string out;
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::array<char, 4096> buffer{};
    for (std::size_t got; pipe && (got = std::fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0;) {
        out.append(buffer.data(), got);
    }
    return out;
}

std::string quoted(const std::filesystem::path& path)
{
    return "'" + path.string() + "'";
}

} // namespace

TEST(SongPackage, ResourceToolListsAndExtractsTheSongWeRead)
{
    if (!haveResourceTool()) {
        GTEST_SKIP() << "wrestool (icoutils) is not installed";
    }
    const std::vector<std::uint8_t> song = testpackages::builtSong();

    const std::string listing = run("wrestool -l " + quoted(kPackage));
    EXPECT_NE(listing.find("--type='OGG'"), std::string::npos) << listing;
    EXPECT_NE(listing.find("size=" + std::to_string(song.size()) + "]"), std::string::npos) << listing;
    const std::string extracted = run("wrestool -x --raw --type=OGG --name=MUSIC.OGG " + quoted(kPackage));
    EXPECT_TRUE(extracted == std::string(song.begin(), song.end())) << extracted.size() << " bytes extracted";
}

TEST(SongPackage, ResourceToolReadsEveryResourceOfAModuleWeWrite)
{
    if (!haveResourceTool()) {
        GTEST_SKIP() << "wrestool (icoutils) is not installed";
    }
    CTempFolder folder;
    const std::vector<SResourceItem> items{{"OGG", "MUSIC.OGG", 0x0407, testpackages::fakeSong(999)},
                                           {"OGG", "ZWEI.OGG", 0x0407, testpackages::bytesOf("zwei")},
                                           {"DATA", "MUSIC.OGG", 0x0409, testpackages::bytesOf("data")},
                                           {"#10", "#5", 0x0407, testpackages::bytesOf("numbered")}};
    const auto path = folder.path() / "several.dat";
    testpackages::writeFile(path, buildResourceModule(items));
    const std::string listing = run("wrestool -l " + quoted(path));
    EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 4) << listing;
    for (const SResourceItem& item : items) {
        const auto option = [](const std::string& key) {
            return key[0] == '#' ? key.substr(1) : key;
        };
        const std::string extracted = run("wrestool -x --raw --type=" + option(item.type) +
                                          " --name=" + option(item.name) + " " + quoted(path));
        EXPECT_TRUE(extracted == std::string(item.data.begin(), item.data.end())) << item.type << "/" << item.name;
    }
}
