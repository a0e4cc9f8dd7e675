#include "platform/win32/Win32Browser.h"

#include <shellapi.h>

#include <cstring>

#include <cstdint>

namespace {

constexpr std::string_view kQuotedPlaceholder = "\"%1\"";
constexpr std::string_view kOpenCommand = "\\shell\\open\\command";
constexpr LONG kValueBytes = 260;

// Closes the key on every way out.
class CQueryKey {
public:
    CQueryKey(HKEY root, const std::string& subKey)
        : result_(RegOpenKeyExA(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &key_))
    {
    }
    ~CQueryKey()
    {
        if (result_ == ERROR_SUCCESS) {
            RegCloseKey(key_);
        }
    }
    CQueryKey(const CQueryKey&) = delete;
    CQueryKey& operator=(const CQueryKey&) = delete;

    LONG result() const { return result_; }
    HKEY key() const { return key_; }

private:
    HKEY key_ = nullptr;
    LONG result_;
};

std::string launchFailure(const char* call, std::uintptr_t code)
{
    return std::string(call) + " failed with code " + std::to_string(code);
}

} // namespace

std::string homePageCommand(std::string_view commandTemplate, std::string_view address)
{
    std::string command(commandTemplate.substr(0, commandTemplate.find(kQuotedPlaceholder)));
    command += address;
    return command;
}

SRegistryDefault readRegistryDefault(HKEY root, const std::string& subKey)
{
    const CQueryKey opened(root, subKey);
    SRegistryDefault read{opened.result(), {}};
    if (opened.result() != ERROR_SUCCESS) {
        return read;
    }
    char value[kValueBytes] = {};
    LONG size = kValueBytes;
    if (RegQueryValueA(opened.key(), nullptr, value, &size) == ERROR_SUCCESS) {
        // The stored text may lack its final NUL; the buffer's own zeros end it then.
        read.value.assign(value, strnlen(value, kValueBytes - 1));
    }
    return read;
}

std::string htmlOpenCommandTemplate()
{
    const SRegistryDefault fileClass = readRegistryDefault(HKEY_CLASSES_ROOT, ".htm");
    if (fileClass.result != ERROR_SUCCESS) {
        return {};
    }
    const SRegistryDefault command = readRegistryDefault(HKEY_CLASSES_ROOT, fileClass.value + std::string(kOpenCommand));
    return command.result == ERROR_SUCCESS ? command.value : std::string();
}

SLaunchResult CWin32Browser::openAddress(const std::string& address)
{
    const std::string commandTemplate = htmlOpenCommandTemplate();
    if (commandTemplate.empty()) {
        const auto opened = reinterpret_cast<std::uintptr_t>(
            ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
        // Codes up to 32 are the shell's failures.
        if (opened <= 32) {
            return {false, launchFailure("ShellExecuteA", opened)};
        }
        return {};
    }
    const std::string command = homePageCommand(commandTemplate, address);
    const UINT started = WinExec(command.c_str(), SW_SHOWNORMAL);
    if (started <= 31) {
        return {false, launchFailure("WinExec", started)};
    }
    return {};
}
