#include "settings/CFileRegistryStore.h"

#include "settings/CRegistryDocument.h"

namespace {

constexpr std::string_view kCurrentUser = "HKEY_CURRENT_USER";
constexpr std::string_view kSoftwarePath = "HKEY_CURRENT_USER\\Software";
constexpr std::size_t kMaxKeyNameLength = 255;
constexpr std::size_t kMaxValueNameLength = 16383;

bool isPredefined(ERegKeyHandle key)
{
    return key == kHKeyClassesRoot || key == kHKeyCurrentUser || key == kHKeyLocalMachine ||
           key == kHKeyUsers;
}

// Line breaks or NULs in a name would break the file's lines apart.
bool fitsOnALine(std::string_view name)
{
    return name.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

bool validSubKey(std::string_view subKey)
{
    if (!fitsOnALine(subKey)) {
        return false;
    }
    while (!subKey.empty()) {
        const std::size_t slash = subKey.find('\\');
        const std::string_view part = subKey.substr(0, slash);
        if (part.empty() || part.size() > kMaxKeyNameLength) {
            return false;
        }
        if (slash == std::string_view::npos) {
            break;
        }
        subKey.remove_prefix(slash + 1);
        if (subKey.empty()) {
            return false;
        }
    }
    return true;
}

} // namespace

CFileRegistryStore::CFileRegistryStore(std::unique_ptr<IRegistryFile> file) : file_(std::move(file)) {}

std::uint32_t CFileRegistryStore::connect(std::string_view machine, ERegKeyHandle root,
                                          ERegKeyHandle& remoteRoot)
{
    if (!machine.empty()) {
        return RegError::BadNetPath; // no other machine's registry is reachable from here
    }
    if (!isPredefined(root)) {
        return RegError::InvalidHandle;
    }
    remoteRoot = root;
    return RegError::Success;
}

std::uint32_t CFileRegistryStore::openKey(ERegKeyHandle parent, std::string_view subKey,
                                          std::uint32_t access, ERegKeyHandle& opened)
{
    std::string path;
    if (const std::uint32_t result = childPath(parent, subKey, path)) {
        return result;
    }
    CRegistryDocument document;
    if (const std::uint32_t result = readDocument(document)) {
        return result;
    }
    if (!keyExists(document, path)) {
        return RegError::FileNotFound;
    }
    opened = newHandle(std::move(path), access);
    return RegError::Success;
}

std::uint32_t CFileRegistryStore::createKey(ERegKeyHandle parent, std::string_view subKey,
                                            std::string_view, std::uint32_t, std::uint32_t access,
                                            ERegKeyHandle& created, std::uint32_t& disposition)
{
    std::string path;
    if (const std::uint32_t result = childPath(parent, subKey, path)) {
        return result == RegError::FileNotFound ? RegError::AccessDenied : result;
    }
    bool wasNew = false;
    const std::uint32_t result = file_->update([&](std::string& text) {
        CRegistryDocument document = CRegistryDocument::parse(text);
        if (!keyExists(document, path)) {
            document.addKey(path);
            text = document.serialize();
            wasNew = true;
        }
        return RegError::Success;
    });
    if (result) {
        return result;
    }
    disposition = wasNew ? RegDisposition::CreatedNewKey : RegDisposition::OpenedExistingKey;
    created = newHandle(std::move(path), access);
    return RegError::Success;
}

std::uint32_t CFileRegistryStore::queryValue(ERegKeyHandle key, std::string_view name,
                                             std::uint32_t& type, std::vector<std::uint8_t>& data)
{
    std::string path;
    if (const std::uint32_t result = keyPath(key, path)) {
        return result;
    }
    const auto open = openKeys_.find(static_cast<std::uintptr_t>(key));
    if (open != openKeys_.end() && !(open->second.access & RegAccess::QueryValue)) {
        return RegError::AccessDenied;
    }
    CRegistryDocument document;
    if (const std::uint32_t result = readDocument(document)) {
        return result;
    }
    const SRegValueData* value = document.findValue(path, name);
    if (!value) {
        return RegError::FileNotFound;
    }
    type = value->type;
    data = value->data;
    return RegError::Success;
}

std::uint32_t CFileRegistryStore::setValue(ERegKeyHandle key, std::string_view name,
                                           std::uint32_t type, std::span<const std::uint8_t> data)
{
    std::string path;
    if (const std::uint32_t result = keyPath(key, path)) {
        return result;
    }
    const auto open = openKeys_.find(static_cast<std::uintptr_t>(key));
    if (open != openKeys_.end() && !(open->second.access & RegAccess::SetValue)) {
        return RegError::AccessDenied;
    }
    if (!fitsOnALine(name) || name.size() > kMaxValueNameLength) {
        return RegError::InvalidParameter;
    }
    const SRegValueData value{std::string(name), type, {data.begin(), data.end()}};
    return file_->update([&](std::string& text) {
        CRegistryDocument document = CRegistryDocument::parse(text);
        document.setValue(path, value);
        text = document.serialize();
        return RegError::Success;
    });
}

std::uint32_t CFileRegistryStore::closeKey(ERegKeyHandle key)
{
    if (isPredefined(key)) {
        return RegError::Success;
    }
    return openKeys_.erase(static_cast<std::uintptr_t>(key)) ? RegError::Success
                                                              : RegError::InvalidHandle;
}

std::uint32_t CFileRegistryStore::keyPath(ERegKeyHandle key, std::string& path) const
{
    if (key == kHKeyCurrentUser) {
        path = kCurrentUser;
        return RegError::Success;
    }
    if (isPredefined(key)) {
        return RegError::FileNotFound; // only the current user's part is kept here
    }
    const auto open = openKeys_.find(static_cast<std::uintptr_t>(key));
    if (open == openKeys_.end()) {
        return RegError::InvalidHandle;
    }
    path = open->second.path;
    return RegError::Success;
}

std::uint32_t CFileRegistryStore::childPath(ERegKeyHandle parent, std::string_view subKey,
                                            std::string& path) const
{
    if (const std::uint32_t result = keyPath(parent, path)) {
        return result;
    }
    if (!validSubKey(subKey)) {
        return RegError::InvalidParameter;
    }
    if (!subKey.empty()) {
        path.append("\\").append(subKey);
    }
    return RegError::Success;
}

std::uint32_t CFileRegistryStore::readDocument(CRegistryDocument& document) const
{
    std::string text;
    if (const std::uint32_t result = file_->read(text)) {
        return result;
    }
    document = CRegistryDocument::parse(text);
    return RegError::Success;
}

bool CFileRegistryStore::keyExists(const CRegistryDocument& document, const std::string& path)
{
    // The user's root and its Software key are always there, as on any system.
    return sameRegistryName(path, kCurrentUser) || sameRegistryName(path, kSoftwarePath) ||
           document.hasKey(path);
}

ERegKeyHandle CFileRegistryStore::newHandle(std::string path, std::uint32_t access)
{
    const std::uintptr_t handle = nextHandle_;
    nextHandle_ += 4;
    openKeys_[handle] = {std::move(path), access};
    return ERegKeyHandle{handle};
}
