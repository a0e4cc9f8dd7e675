#include "platform/win32/Win32RegistryStore.h"

#include "platform/win32/Win32Api.h"

#include <limits>
#include <string>

namespace {

// The store numbers the predefined roots as 32-bit values; the system's handles for them are
// those values sign-extended to the pointer's width.
struct SPredefinedRoot {
    ERegKeyHandle ours;
    HKEY system;
};

const SPredefinedRoot kRoots[] = {
    {kHKeyClassesRoot, HKEY_CLASSES_ROOT},
    {kHKeyCurrentUser, HKEY_CURRENT_USER},
    {kHKeyLocalMachine, HKEY_LOCAL_MACHINE},
    {kHKeyUsers, HKEY_USERS},
};

HKEY systemKey(ERegKeyHandle key)
{
    for (const SPredefinedRoot& root : kRoots) {
        if (root.ours == key) {
            return root.system;
        }
    }
    return reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(key));
}

ERegKeyHandle storeKey(HKEY key)
{
    for (const SPredefinedRoot& root : kRoots) {
        if (root.system == key) {
            return root.ours;
        }
    }
    return ERegKeyHandle{reinterpret_cast<std::uintptr_t>(key)};
}

// The system takes names ending in a NUL; a name with a NUL inside it names nothing it has.
bool toCString(std::string_view text, std::string& out)
{
    if (text.find('\0') != std::string_view::npos) {
        return false;
    }
    out.assign(text);
    return true;
}

} // namespace

std::uint32_t CWin32RegistryStore::connect(std::string_view machine, ERegKeyHandle root,
                                           ERegKeyHandle& remoteRoot)
{
    std::string name;
    if (!toCString(machine, name)) {
        return ERROR_INVALID_PARAMETER;
    }
    HKEY remote = nullptr;
    const LONG result = RegConnectRegistryA(name.empty() ? nullptr : name.c_str(), systemKey(root), &remote);
    if (result == ERROR_SUCCESS) {
        remoteRoot = storeKey(remote);
    }
    return static_cast<std::uint32_t>(result);
}

std::uint32_t CWin32RegistryStore::openKey(ERegKeyHandle parent, std::string_view subKey,
                                           std::uint32_t access, ERegKeyHandle& opened)
{
    std::string name;
    if (!toCString(subKey, name)) {
        return ERROR_FILE_NOT_FOUND;
    }
    HKEY key = nullptr;
    const LONG result = RegOpenKeyExA(systemKey(parent), name.c_str(), 0, access, &key);
    if (result == ERROR_SUCCESS) {
        opened = storeKey(key);
    }
    return static_cast<std::uint32_t>(result);
}

std::uint32_t CWin32RegistryStore::createKey(ERegKeyHandle parent, std::string_view subKey,
                                             std::string_view className, std::uint32_t options,
                                             std::uint32_t access, ERegKeyHandle& created,
                                             std::uint32_t& disposition)
{
    std::string name;
    std::string keyClass;
    if (!toCString(subKey, name) || !toCString(className, keyClass)) {
        return ERROR_INVALID_PARAMETER;
    }
    HKEY key = nullptr;
    DWORD found = 0;
    const LONG result = RegCreateKeyExA(systemKey(parent), name.c_str(), 0,
                                        keyClass.empty() ? nullptr : keyClass.data(), options, access,
                                        nullptr, &key, &found);
    if (result == ERROR_SUCCESS) {
        created = storeKey(key);
        disposition = found;
    }
    return static_cast<std::uint32_t>(result);
}

std::uint32_t CWin32RegistryStore::queryValue(ERegKeyHandle key, std::string_view name,
                                              std::uint32_t& type, std::vector<std::uint8_t>& data)
{
    std::string valueName;
    if (!toCString(name, valueName)) {
        return ERROR_FILE_NOT_FOUND;
    }
    DWORD size = 0;
    DWORD found = 0;
    LONG result = RegQueryValueExA(systemKey(key), valueName.c_str(), nullptr, &found, nullptr, &size);
    // The value may grow between asking its size and reading it: ask again then.
    for (int attempt = 0; result == ERROR_SUCCESS && attempt < 4; ++attempt) {
        std::vector<std::uint8_t> bytes(size);
        DWORD read = size;
        result = RegQueryValueExA(systemKey(key), valueName.c_str(), nullptr, &found, bytes.data(), &read);
        if (result == ERROR_SUCCESS) {
            bytes.resize(read);
            type = found;
            data = std::move(bytes);
            return ERROR_SUCCESS;
        }
        if (result == ERROR_MORE_DATA) {
            size = read;
            result = ERROR_SUCCESS;
        }
    }
    return static_cast<std::uint32_t>(result == ERROR_SUCCESS ? ERROR_MORE_DATA : result);
}

std::uint32_t CWin32RegistryStore::setValue(ERegKeyHandle key, std::string_view name, std::uint32_t type,
                                            std::span<const std::uint8_t> data)
{
    std::string valueName;
    if (!toCString(name, valueName) || data.size() > std::numeric_limits<DWORD>::max()) {
        return ERROR_INVALID_PARAMETER;
    }
    return static_cast<std::uint32_t>(RegSetValueExA(systemKey(key), valueName.c_str(), 0, type, data.data(),
                                                     static_cast<DWORD>(data.size())));
}

std::uint32_t CWin32RegistryStore::closeKey(ERegKeyHandle key)
{
    return static_cast<std::uint32_t>(RegCloseKey(systemKey(key)));
}
