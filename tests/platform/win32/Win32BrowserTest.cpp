#include "platform/win32/Win32Browser.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

TEST(HomePageCommand, CutsAtTheQuotedPlaceholderAndAppendsTheAddress)
{
    const std::string address = "http://www.example.org/";
    const std::pair<const char*, std::string> commands[] = {
        {"\"C:\\Browser\\b.exe\" \"%1\"", "\"C:\\Browser\\b.exe\" " + address},
        {"\"b.exe\" -new \"%1\" -extra \"%1\"", "\"b.exe\" -new " + address}, // further arguments are dropped
        {"b.exe %1", "b.exe %1" + address},                                   // an unquoted placeholder stays
        {"b.exe -nohome", "b.exe -nohome" + address},
        {"", address}};
    for (const auto& [command, expected] : commands) {
        EXPECT_EQ(homePageCommand(command, address), expected) << command;
    }
}

// Sets a default value below a root key for the test (none: removes the key) and puts the old
// one back.
class CRegistryDefault {
public:
    CRegistryDefault(HKEY root, const std::string& key, const std::string* value) : root_(root), key_(key)
    {
        if (const SRegistryDefault old = readRegistryDefault(root, key); old.result == ERROR_SUCCESS) {
            old_ = old.value;
        }
        set(value);
    }
    ~CRegistryDefault() { set(old_ ? &*old_ : nullptr); }
    CRegistryDefault(const CRegistryDefault&) = delete;
    CRegistryDefault& operator=(const CRegistryDefault&) = delete;

    void set(const std::string* value)
    {
        if (value) {
            RegSetValueA(root_, key_.c_str(), REG_SZ, value->c_str(), DWORD(value->size()));
        } else {
            RegDeleteTreeA(root_, key_.c_str());
        }
    }

private:
    HKEY root_;
    std::string key_;
    std::optional<std::string> old_;
};

TEST(RegistryDefault, ReadsTheUnnamedValueOfAKeyUpTo260Bytes)
{
    const char* const key = "Software\\MinnespiegelDefaultTest";
    CRegistryDefault value(HKEY_CURRENT_USER, key, nullptr);
    EXPECT_EQ(readRegistryDefault(HKEY_CURRENT_USER, key).result, ERROR_FILE_NOT_FOUND);
    const std::string htmlFile = "htmlfile", tooLong(300, 'x');
    value.set(&htmlFile);
    EXPECT_EQ(readRegistryDefault(HKEY_CURRENT_USER, key).value, "htmlfile");
    value.set(&tooLong);
    const SRegistryDefault cut = readRegistryDefault(HKEY_CURRENT_USER, key);
    EXPECT_EQ(cut.result, ERROR_SUCCESS) << "the key opened";
    EXPECT_EQ(cut.value, "") << "a value beyond 260 bytes is not read";
}

// A stand-in browser beside the test writes its command line to the file in MINNE_RECORD_TO: the
// html open command with the address in place of the placeholder, and without an association
// the address handed to the shell.
TEST(Win32Browser, RunsTheHtmlOpenCommandOrWithoutAnAssociationTheShells)
{
    const CTempFolder folder("browser");
    const std::filesystem::path record = folder / "command.txt";
    SetEnvironmentVariableA("MINNE_RECORD_TO", record.string().c_str());
    const auto recorded = [&record] {
        for (int i = 0; i < 200; ++i) {
            const std::string text = CTempFolder::read(record);
            if (!text.empty() && text.back() == '\n') {
                std::filesystem::remove(record);
                return text.substr(0, text.size() - 1);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return std::string("(nothing recorded)");
    };
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string self(path), recorder = self.substr(0, self.find_last_of("\\/") + 1) + "command_recorder.exe";
    {
        const std::string fileClass = "MinnespiegelTestPage";
        const std::string command = "\"" + recorder + "\" --new-window \"%1\" --dropped";
        const CRegistryDefault association(HKEY_CLASSES_ROOT, ".htm", &fileClass);
        const CRegistryDefault open(HKEY_CLASSES_ROOT, fileClass + "\\shell\\open\\command", &command);
        EXPECT_TRUE(CWin32Browser().openAddress("http://www.example.org/start").started);
        EXPECT_EQ(recorded(), "\"" + recorder + "\" --new-window http://www.example.org/start");
        RegDeleteTreeA(HKEY_CLASSES_ROOT, fileClass.c_str());
    }
    const std::string scheme = "minnespiegeltest", protocol = "URL:Minnespiegel test";
    const std::string command = "\"" + recorder + "\" \"%1\"";
    const CRegistryDefault noAssociation(HKEY_CLASSES_ROOT, ".htm", nullptr);
    const CRegistryDefault handler(HKEY_CLASSES_ROOT, scheme, &protocol);
    RegSetKeyValueA(HKEY_CLASSES_ROOT, scheme.c_str(), "URL Protocol", REG_SZ, "", 1);
    const CRegistryDefault open(HKEY_CLASSES_ROOT, scheme + "\\shell\\open\\command", &command);
    EXPECT_EQ(htmlOpenCommandTemplate(), "");
    EXPECT_TRUE(CWin32Browser().openAddress(scheme + ":home").started);
    EXPECT_NE(recorded().find(scheme + ":home"), std::string::npos);
}

} // namespace
