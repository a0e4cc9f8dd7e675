#include "platform/win32/Win32Browser.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

TEST(HomePageCommand, CutsAtTheQuotedPlaceholderAndAppendsTheAddress)
{
    const std::string address = "http://www.example.org/";
    EXPECT_EQ(homePageCommand("\"C:\\Browser\\b.exe\" \"%1\"", address), "\"C:\\Browser\\b.exe\" http://www.example.org/");
    EXPECT_EQ(homePageCommand("\"b.exe\" -new \"%1\" -extra \"%1\"", address), "\"b.exe\" -new http://www.example.org/")
        << "further arguments are dropped";
    EXPECT_EQ(homePageCommand("b.exe %1", address), "b.exe %1http://www.example.org/")
        << "an unquoted placeholder stays";
    EXPECT_EQ(homePageCommand("b.exe -nohome", address), "b.exe -nohomehttp://www.example.org/");
    EXPECT_EQ(homePageCommand("", address), address);
}

// Keys of the test's own below HKEY_CURRENT_USER\Software, removed at the end.
class RegistryDefault : public ::testing::Test {
protected:
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kKey); }
    static constexpr const char* kKey = "Software\\MinnespiegelDefaultTest";
};

TEST_F(RegistryDefault, ReadsTheUnnamedValueOfAKey)
{
    EXPECT_EQ(readRegistryDefault(HKEY_CURRENT_USER, kKey).result, ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(RegSetValueA(HKEY_CURRENT_USER, kKey, REG_SZ, "htmlfile", 8), ERROR_SUCCESS);
    const SRegistryDefault read = readRegistryDefault(HKEY_CURRENT_USER, kKey);
    EXPECT_EQ(read.result, ERROR_SUCCESS);
    EXPECT_EQ(read.value, "htmlfile");

    const std::string tooLong(300, 'x');
    ASSERT_EQ(RegSetValueA(HKEY_CURRENT_USER, kKey, REG_SZ, tooLong.c_str(), DWORD(tooLong.size())), ERROR_SUCCESS);
    const SRegistryDefault cut = readRegistryDefault(HKEY_CURRENT_USER, kKey);
    EXPECT_EQ(cut.result, ERROR_SUCCESS) << "the key opened";
    EXPECT_EQ(cut.value, "") << "a value beyond 260 bytes is not read";
}

// The stand-in for a browser writes its command line to the file named in MINNE_RECORD_TO.
std::string awaitRecordedCommandLine(const std::string& path)
{
    for (int i = 0; i < 200; ++i) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        if (!text.str().empty() && text.str().back() == '\n') {
            return text.str().substr(0, text.str().size() - 1);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return "(nothing recorded)";
}

// Changes a default value below HKEY_CLASSES_ROOT for the test and puts the old one back.
class CClassesRootDefault {
public:
    CClassesRootDefault(const std::string& key, const std::string* value) : key_(key)
    {
        const SRegistryDefault old = readRegistryDefault(HKEY_CLASSES_ROOT, key);
        if (old.result == ERROR_SUCCESS) {
            old_ = old.value;
        }
        set(value);
    }
    ~CClassesRootDefault() { set(old_ ? &*old_ : nullptr); }
    CClassesRootDefault(const CClassesRootDefault&) = delete;
    CClassesRootDefault& operator=(const CClassesRootDefault&) = delete;

private:
    void set(const std::string* value)
    {
        if (value) {
            RegSetValueA(HKEY_CLASSES_ROOT, key_.c_str(), REG_SZ, value->c_str(), DWORD(value->size()));
        } else {
            RegDeleteTreeA(HKEY_CLASSES_ROOT, key_.c_str());
        }
    }

    std::string key_;
    std::optional<std::string> old_;
};

std::string recorderPath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string self(path);
    return self.substr(0, self.find_last_of("\\/") + 1) + "command_recorder.exe";
}

std::string freshRecordFile(const char* name)
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + name + std::to_string(GetCurrentProcessId()) + ".txt";
    DeleteFileA(path.c_str());
    SetEnvironmentVariableA("MINNE_RECORD_TO", path.c_str());
    return path;
}

TEST(Win32Browser, RunsTheHtmlOpenCommandWithTheAddressInPlaceOfThePlaceholder)
{
    const std::string record = freshRecordFile("minne_browser");
    const std::string fileClass = "MinnespiegelTestPage";
    const std::string command = "\"" + recorderPath() + "\" --new-window \"%1\" --dropped";
    const CClassesRootDefault association(".htm", &fileClass);
    const CClassesRootDefault open(fileClass + "\\shell\\open\\command", &command);

    EXPECT_TRUE(CWin32Browser().openAddress("http://www.example.org/start").started);
    EXPECT_EQ(awaitRecordedCommandLine(record),
              "\"" + recorderPath() + "\" --new-window http://www.example.org/start");
    DeleteFileA(record.c_str());
    RegDeleteTreeA(HKEY_CLASSES_ROOT, fileClass.c_str());
}

TEST(Win32Browser, WithoutAnAssociationTheShellOpensTheAddress)
{
    const std::string record = freshRecordFile("minne_shellopen");
    const std::string scheme = "minnespiegeltest";
    const std::string protocol = "URL:Minnespiegel test";
    const std::string command = "\"" + recorderPath() + "\" \"%1\"";
    const CClassesRootDefault noAssociation(".htm", nullptr);
    const CClassesRootDefault handler(scheme, &protocol);
    RegSetKeyValueA(HKEY_CLASSES_ROOT, scheme.c_str(), "URL Protocol", REG_SZ, "", 1);
    const CClassesRootDefault open(scheme + "\\shell\\open\\command", &command);

    EXPECT_EQ(htmlOpenCommandTemplate(), "");
    EXPECT_TRUE(CWin32Browser().openAddress(scheme + ":home").started);
    EXPECT_NE(awaitRecordedCommandLine(record).find(scheme + ":home"), std::string::npos);
    DeleteFileA(record.c_str());
}

} // namespace
