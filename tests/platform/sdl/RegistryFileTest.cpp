#include "settings/CFileRegistryStore.h"
#include "settings/CRegistryDocument.h"
#include "settings/CRegistryKey.h"
#include "platform/SystemServices.h"
#include "platform/sdl/PosixRegistryFile.h"
#include "settings/Settings.h"

#include "RegistryChecks.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string kHeader = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Velmora\\Minnespiegel\\2004]\r\n";

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
    // The setting as the next run would load it, or `fallback` when it loads nothing.
    static std::int32_t loaded(IRegistryStore& registry, const std::string& name, std::int32_t fallback = -99)
    {
        std::int32_t value = fallback;
        return LoadSetting(registry, name, value) ? value : fallback;
    }
};

TEST_F(SettingsTest, FourSettingsRoundTripThroughTheFile)
{
    auto registry = openUserRegistry();
    const std::pair<const char*, std::int32_t> settings[] = {{"back", 3}, {"dancer", 1}, {"music", 1}, {"cd", -1}};
    for (const auto& [name, value] : settings) {
        EXPECT_TRUE(SaveSetting(*registry, name, value));
    }
    EXPECT_EQ(fileText(), kHeader + "\"back\"=dword:00000003\r\n\"dancer\"=dword:00000001\r\n"
                                    "\"music\"=dword:00000001\r\n\"cd\"=dword:ffffffff\r\n");
    auto again = openUserRegistry(); // as the next run would
    for (const auto& [name, value] : settings) {
        EXPECT_EQ(loaded(*again, name), value) << name;
    }
    EXPECT_TRUE(SaveSetting(*registry, "music", 0));
    EXPECT_EQ(loaded(*again, "music"), 0) << "no state is cached between calls";
    registrychecks::keysAndNumbersRoundTrip(*registry, "Other");

    // Under XDG_CONFIG_HOME is the settings scenario's; here the fall-backs to HOME.
    for (const char* notUsable : {"", "relative/config", static_cast<const char*>(nullptr)}) {
        notUsable ? ::setenv("XDG_CONFIG_HOME", notUsable, 1) : ::unsetenv("XDG_CONFIG_HOME");
        EXPECT_EQ(userRegistryPath(), (root / "home").string() + "/.config/minnespiegel/registry.reg") << !notUsable;
    }
}

TEST_F(SettingsTest, AValueOfAnotherTypeOrACorruptFileGivesTheDefaultAndIsKeptUntilTheNextSave)
{
    const std::string corrupt = kHeader + "\"music\"=\"1\"\r\n\"back\"=hex:02,00,00,00\r\n\"cd\"=hex(5):20,00,00,00\r\n"
                                          "\x01\x02 not a line\r\n\"dancer\"=dword:0000";
    writeFile(corrupt);
    auto registry = openUserRegistry();
    EXPECT_EQ(loaded(*registry, "music"), -99) << "a text is no number";
    EXPECT_EQ(loaded(*registry, "back"), -99) << "binary data is no number";
    EXPECT_EQ(loaded(*registry, "cd"), 32) << "the big-endian number type counts too";
    EXPECT_EQ(loaded(*registry, "dancer"), -99) << "a cut-off number is no number";
    EXPECT_EQ(fileText(), corrupt);

    EXPECT_TRUE(SaveSetting(*registry, "music", 0));
    const std::string saved = fileText();
    EXPECT_NE(saved.find("\x01\x02 not a line\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\"dancer\"=dword:0000\r\n"), std::string::npos);
    EXPECT_EQ(loaded(*registry, "music"), 0);
    EXPECT_EQ(loaded(*registry, "cd"), 32);
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

// Each round, one process saves "back" until it is killed in the middle of some save, while
// another saves eight names of its own at the same time: the file always parses cleanly, and
// neither loses what the other saved.
TEST_F(SettingsTest, ProcessesSavingAtOnceOrKilledWhileSavingNeverBreakTheFileNorLoseValues)
{
    auto registry = openUserRegistry();
    ASSERT_TRUE(SaveSetting(*registry, "music", 1));
    const auto name = [](int round, int i) { return "r" + std::to_string(round) + "n" + std::to_string(i); };
    const auto child = [](auto&& work) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            work();
            ::_exit(0);
        }
        return pid;
    };
    for (int round = 0; round < 12; ++round) {
        const pid_t forever = child([&] {
            for (std::int32_t i = 1;; ++i) {
                SaveSetting(*registry, "back", i);
            }
        });
        const pid_t names = child([&] {
            for (int i = 0; i < 8; ++i) {
                if (!SaveSetting(*registry, name(round, i), i)) {
                    ::_exit(1);
                }
            }
        });
        ASSERT_GT(forever, 0);
        ASSERT_GT(names, 0);
        int status = 0;
        ::waitpid(names, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        // On a busy machine the first child may need a while for its first save.
        for (int wait = 0; wait < 500 && fileText().find("\"back\"") == std::string::npos; ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10 + round * 7));
        ::kill(forever, SIGKILL);
        ::waitpid(forever, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        const std::string text = fileText();
        EXPECT_EQ(CRegistryDocument::parse(text).serialize(), text) << "the file parses cleanly";
        EXPECT_GE(loaded(*registry, "back"), 1) << "round " << round;
        EXPECT_EQ(loaded(*registry, "music"), 1);
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(loaded(*registry, name(round, i)), i) << name(round, i) << " was lost";
        }
    }
    EXPECT_TRUE(SaveSetting(*registry, "back", 0)) << "a leftover temporary file does no harm";
}

} // namespace
