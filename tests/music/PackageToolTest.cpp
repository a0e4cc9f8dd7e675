// The song package is a module that tools made for Windows modules read as we do: the build's
// package and one of several resources we write.
#include "TestPackages.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>

namespace {

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

// What the resource tool extracts of one resource (numbers without their '#').
std::string extracted(const std::filesystem::path& module, const std::string& type, const std::string& name)
{
    const auto option = [](const std::string& key) { return key[0] == '#' ? key.substr(1) : key; };
    return run("wrestool -x --raw --type=" + option(type) + " --name=" + option(name) + " '" + module.string() + "'");
}

} // namespace

TEST(SongPackage, ResourceToolListsAndExtractsWhatWeWrite)
{
    if (std::system("wrestool --version >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "wrestool (icoutils) is not installed";
    }
    const std::filesystem::path built = std::filesystem::path(MINNE_DATA_DIR) / "resource.dat";
    const std::vector<std::uint8_t> song = testpackages::builtSong();
    const std::string listing = run("wrestool -l '" + built.string() + "'");
    EXPECT_NE(listing.find("--type='OGG'"), std::string::npos) << listing;
    EXPECT_NE(listing.find("size=" + std::to_string(song.size()) + "]"), std::string::npos) << listing;
    EXPECT_TRUE(extracted(built, "OGG", "MUSIC.OGG") == std::string(song.begin(), song.end()));

    CTempFolder folder;
    const std::vector<SResourceItem> items{{"OGG", "MUSIC.OGG", 0x0407, testpackages::fakeSong(999)},
                                           {"OGG", "ZWEI.OGG", 0x0407, testpackages::bytesOf("zwei")},
                                           {"DATA", "MUSIC.OGG", 0x0409, testpackages::bytesOf("data")},
                                           {"#10", "#5", 0x0407, testpackages::bytesOf("numbered")}};
    const auto several = folder / "several.dat";
    testpackages::writeFile(several, buildResourceModule(items));
    const std::string severalListing = run("wrestool -l '" + several.string() + "'");
    EXPECT_EQ(std::count(severalListing.begin(), severalListing.end(), '\n'), 4) << severalListing;
    for (const SResourceItem& item : items) {
        EXPECT_TRUE(extracted(several, item.type, item.name) == std::string(item.data.begin(), item.data.end()))
            << item.type << "/" << item.name;
    }
}
