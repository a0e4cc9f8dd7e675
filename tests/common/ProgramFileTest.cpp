#include "common/ProgramFile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <type_traits>

namespace fs = std::filesystem;

namespace {

// Windows keeps paths wide; its narrow calls take Windows-1252 there.
constexpr bool kWidePaths = std::is_same_v<fs::path::value_type, wchar_t>;

class ProgramFileTest : public ::testing::Test {
protected:
    void write(const fs::path& path, const std::string& bytes)
    {
        const FilePtr file = openProgramFile(path, "wb");
        ASSERT_TRUE(file) << path;
        ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file.get()), bytes.size());
    }

    CTempFolder temp_{"programfile"};
    const fs::path& folder_ = temp_.path();
};

// A file named with an umlaut opens under the system's own name; so does a folder and a file
// named as a user would type them: single bytes of Windows-1252.
TEST_F(ProgramFileTest, NamesWithUmlautsOpenUnderTheSystemsOwnName)
{
    const fs::path name = folder_ / u8"M\u00e4rchen.dat";
    write(name, "es war einmal");
    ASSERT_EQ(fs::directory_iterator(folder_)->path(), name) << "made under another name";
    EXPECT_EQ(readProgramFile(name, 100), "es war einmal");

    const fs::path folder = folder_ / pathFromNarrowName("J\xFCrgen");
    fs::create_directories(folder);
    const fs::path typed = folder / pathFromNarrowName("sch\xF6n.txt");
    write(typed, "gr\xFC\xDF");
    EXPECT_EQ(readProgramFile(typed, 100), "gr\xFC\xDF");
    if (kWidePaths) {
        EXPECT_EQ(typed, folder_ / u8"J\u00fcrgen" / u8"sch\u00f6n.txt");
    }
}

TEST_F(ProgramFileTest, NarrowNamesAreWindows1252WherePathsAreWide)
{
    const fs::path name = u8"M\u00e4rchen.dat";
    EXPECT_EQ(narrowFileName(name), kWidePaths ? "M\xE4rchen.dat" : "M\xC3\xA4rchen.dat");
    EXPECT_EQ(pathFromNarrowName(narrowFileName(name)), name);
    // A character the code page lacks must not open some other file.
    EXPECT_EQ(narrowFileName(fs::path(u8"\u65e5.dat")), kWidePaths ? "?.dat" : "\xE6\x97\xA5.dat");
}

TEST_F(ProgramFileTest, ReadingRefusesWhatIsNoFileOrTooLarge)
{
    write(folder_ / "ten.dat", "0123456789");
    EXPECT_EQ(readProgramFile(folder_ / "ten.dat", 10), "0123456789");
    EXPECT_EQ(readProgramFile(folder_ / "ten.dat", 9), std::nullopt);
    EXPECT_EQ(readProgramFile(folder_ / "missing.dat", 100), std::nullopt);
    EXPECT_EQ(readProgramFile(folder_, 100), std::nullopt);
    write(folder_ / "empty.dat", "");
    EXPECT_EQ(readProgramFile(folder_ / "empty.dat", 100), "");
    EXPECT_FALSE(openProgramFile(folder_ / "missing.dat", "rb"));
}

} // namespace
