#include "settings/CFileRegistryStore.h"
#include "settings/CRegistryDocument.h"
#include "settings/CRegistryKey.h"
#include "platform/SystemServices.h"
#include "platform/sdl/PosixRegistryFile.h"
#include "settings/Settings.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* kKeyLine = "[HKEY_CURRENT_USER\\Software\\Velmora\\Minnespiegel\\2004]";

// A fresh folder as XDG_CONFIG_HOME and HOME, so no test ever sees the real user's files.
class SettingsTest : public ::testing::Test {
protected:
    CTempFolder folder{"settings"};
    const fs::path& root = folder.path();
    const fs::path registryPath = root / "config" / "minnespiegel" / "registry.reg";

    void SetUp() override
    {
        ::setenv("HOME", (root / "home").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    }

    std::string fileText() const { return CTempFolder::read(registryPath); }
    void writeFile(const std::string& text) const { folder.write("config/minnespiegel/registry.reg", text); }
};

TEST_F(SettingsTest, TheFileLivesUnderTheConfigFolder)
{
    EXPECT_EQ(userRegistryPath(), registryPath.string());
    const std::string home = (root / "home").string();
    for (const char* notUsable : {"", "relative/config"}) {
        ::setenv("XDG_CONFIG_HOME", notUsable, 1);
        EXPECT_EQ(userRegistryPath(), home + "/.config/minnespiegel/registry.reg") << notUsable;
    }
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(userRegistryPath(), home + "/.config/minnespiegel/registry.reg");
}

TEST_F(SettingsTest, FirstRunLoadsNothingAndWritesNothing)
{
    auto registry = openUserRegistry();
    std::int32_t value = 42;
    for (const char* name : {"back", "dancer", "music", "cd"}) {
        EXPECT_FALSE(LoadSetting(*registry, name, value));
        EXPECT_EQ(value, 42);
    }
    EXPECT_FALSE(fs::exists(registryPath));
}

TEST_F(SettingsTest, FourSettingsRoundTripThroughTheFile)
{
    const std::pair<const char*, std::int32_t> settings[] = {{"back", 3}, {"dancer", 1}, {"music", 1}, {"cd", -1}};
    auto registry = openUserRegistry();
    for (const auto& [name, value] : settings) {
        EXPECT_TRUE(SaveSetting(*registry, name, value));
    }
    EXPECT_EQ(fileText(), std::string("REGEDIT4\r\n\r\n") + kKeyLine + "\r\n"
                              "\"back\"=dword:00000003\r\n"
                              "\"dancer\"=dword:00000001\r\n"
                              "\"music\"=dword:00000001\r\n"
                              "\"cd\"=dword:ffffffff\r\n");

    auto again = openUserRegistry(); // as the next run would
    for (const auto& [name, value] : settings) {
        std::int32_t read = 0;
        EXPECT_TRUE(LoadSetting(*again, name, read));
        EXPECT_EQ(read, value) << name;
    }

    std::int32_t music = 1;
    EXPECT_TRUE(SaveSetting(*registry, "music", 0));
    EXPECT_TRUE(LoadSetting(*again, "music", music)) << "no state is cached between calls";
    EXPECT_EQ(music, 0);
}

TEST_F(SettingsTest, AValueOfAnotherTypeLeavesTheDefault)
{
    writeFile(std::string("REGEDIT4\r\n\r\n") + kKeyLine + "\r\n\"music\"=\"1\"\r\n"
              "\"back\"=hex:02,00,00,00\r\n\"cd\"=hex(5):20,00,00,00\r\n");
    auto registry = openUserRegistry();
    std::int32_t music = 0, back = 0, cd = 0;
    EXPECT_FALSE(LoadSetting(*registry, "music", music));
    EXPECT_FALSE(LoadSetting(*registry, "back", back));
    EXPECT_EQ(music, 0);
    EXPECT_EQ(back, 0);
    EXPECT_TRUE(LoadSetting(*registry, "cd", cd)) << "the big-endian number type counts too";
    EXPECT_EQ(cd, 32);
}

TEST_F(SettingsTest, ACorruptFileGivesDefaultsAndIsKeptUntilTheNextSave)
{
    const std::string corrupt = std::string("REGEDIT4\r\n\r\n") + kKeyLine +
                                "\r\n\"back\"=dword:00000004\r\n\x01\x02 not a line\r\n"
                                "\"music\"=dword:0000";
    writeFile(corrupt);
    auto registry = openUserRegistry();
    std::int32_t back = 0, music = 7;
    EXPECT_TRUE(LoadSetting(*registry, "back", back));
    EXPECT_EQ(back, 4);
    EXPECT_FALSE(LoadSetting(*registry, "music", music)) << "a cut-off number is no number";
    EXPECT_EQ(music, 7);
    EXPECT_EQ(fileText(), corrupt);

    EXPECT_TRUE(SaveSetting(*registry, "dancer", 1));
    const std::string saved = fileText();
    EXPECT_NE(saved.find("\x01\x02 not a line\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\"music\"=dword:0000\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\"dancer\"=dword:00000001\r\n"), std::string::npos);
    EXPECT_TRUE(LoadSetting(*registry, "back", back));
    EXPECT_EQ(back, 4);
}

TEST_F(SettingsTest, BinaryGarbageNeitherCrashesNorLoads)
{
    std::string garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage += static_cast<char>((i * 131 + 7) % 256);
    }
    writeFile(garbage);
    auto registry = openUserRegistry();
    std::int32_t back = 0;
    EXPECT_FALSE(LoadSetting(*registry, "back", back));
    EXPECT_TRUE(SaveSetting(*registry, "back", 2));
    EXPECT_TRUE(LoadSetting(*registry, "back", back));
    EXPECT_EQ(back, 2);
    EXPECT_NE(fileText().find(garbage.substr(0, 100)), std::string::npos);
}

TEST_F(SettingsTest, AFolderThatCannotBeMadeRefusesWithAccessDenied)
{
    fs::create_directories(root / "config");
    std::ofstream(root / "config" / "minnespiegel") << "a file where the folder should be";
    auto registry = openUserRegistry();
    EXPECT_FALSE(SaveSetting(*registry, "back", 1));
    std::int32_t back = 5;
    EXPECT_FALSE(LoadSetting(*registry, "back", back));
    EXPECT_EQ(back, 5);
    try {
        CRegistryKey(*registry, kHKeyCurrentUser, "Software", RegAccess::AllAccess)
            .CreateOrOpenKey("Velmora", nullptr, "", 0, RegAccess::AllAccess);
        FAIL() << "created a key in a folder that cannot exist";
    } catch (const CRegistryKey::Exception& e) {
        EXPECT_STREQ(e.where, "CRegistryKey::CreateOrOpenKey()");
        EXPECT_EQ(e.error, RegError::AccessDenied);
    }
}

TEST_F(SettingsTest, ACancelledEditWritesNothing)
{
    CPosixRegistryFile file(registryPath.string());
    EXPECT_EQ(file.update([](std::string& text) {
        text = "changed";
        return RegError::InvalidParameter;
    }), RegError::InvalidParameter);
    EXPECT_FALSE(fs::exists(registryPath));
    EXPECT_EQ(file.update([](std::string&) { return RegError::Success; }), RegError::Success);
    EXPECT_FALSE(fs::exists(registryPath)) << "an unchanged text is not written";
}

// Saves "back" = 1, 2, 3, ... until it is killed.
[[noreturn]] void saveForever()
{
    auto registry = openUserRegistry();
    for (std::int32_t i = 1;; ++i) {
        SaveSetting(*registry, "back", i);
    }
}

TEST_F(SettingsTest, AWriterKilledInTheMiddleOfSavingNeverLeavesABrokenFile)
{
    auto registry = openUserRegistry();
    ASSERT_TRUE(SaveSetting(*registry, "music", 1));
    std::int32_t lastSeen = 0;
    for (int round = 0; round < 12; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            saveForever();
        }
        // On a busy machine the first child may need a while for its first save.
        for (int wait = 0; wait < 500 && fileText().find("\"back\"") == std::string::npos; ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + round * 7));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        const std::string text = fileText();
        EXPECT_EQ(CRegistryDocument::parse(text).serialize(), text) << "the file parses cleanly";
        std::int32_t back = -1;
        std::int32_t music = 0;
        ASSERT_TRUE(LoadSetting(*registry, "back", back)) << "round " << round;
        EXPECT_TRUE(LoadSetting(*registry, "music", music));
        EXPECT_EQ(music, 1);
        EXPECT_GE(back, 1);
        lastSeen = back;
    }
    EXPECT_GT(lastSeen, 0);
    EXPECT_TRUE(SaveSetting(*registry, "back", 0)) << "a leftover temporary file does no harm";
}

TEST_F(SettingsTest, TwoProcessesSavingAtOnceKeepEachOthersValues)
{
    constexpr int kValuesEach = 40;
    int startPipe[2];
    ASSERT_EQ(::pipe(startPipe), 0);
    pid_t children[2];
    for (int which = 0; which < 2; ++which) {
        children[which] = ::fork();
        ASSERT_GE(children[which], 0);
        if (children[which] == 0) {
            char go = 0;
            ::close(startPipe[1]);
            if (::read(startPipe[0], &go, 1) < 0) {
                ::_exit(3);
            }
            auto registry = openUserRegistry();
            bool allSaved = true;
            for (int i = 0; i < kValuesEach; ++i) {
                const std::string name = std::string(1, static_cast<char>('a' + which)) + std::to_string(i);
                allSaved = SaveSetting(*registry, name, which * 1000 + i) && allSaved;
            }
            ::_exit(allSaved ? 0 : 1);
        }
    }
    ::close(startPipe[0]);
    ::close(startPipe[1]); // both start together
    for (pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    auto registry = openUserRegistry();
    for (int which = 0; which < 2; ++which) {
        for (int i = 0; i < kValuesEach; ++i) {
            const std::string name = std::string(1, static_cast<char>('a' + which)) + std::to_string(i);
            std::int32_t value = -1;
            ASSERT_TRUE(LoadSetting(*registry, name, value)) << name << " was lost";
            EXPECT_EQ(value, which * 1000 + i);
        }
    }
}

} // namespace
