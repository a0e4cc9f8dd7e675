#include "settings/CRegistryKey.h"

#include <new>

namespace {

const char* const kConnectFailed = "CRegistryKey::CRegistryKey() - RegConnectRegistry";
const char* const kOpenFailed = "CRegistryKey::CRegistryKey(HKEY hKey ...)";
const char* const kNoMemory = "CRegistryKey::NewCCountedRegKey()";
const char* const kCreateFailed = "CRegistryKey::CreateOrOpenKey()";
const char* const kQueryFailed = "CRegistryKey::QueryValue()";
const char* const kSetFailed = "CRegistryKey::SetValue()";

} // namespace

// A store's open handle; closing gives it back to the store.
class CRegistryKey::COpenHandle {
public:
    COpenHandle(IRegistryStore& store, ERegKeyHandle key) : store_(store), key_(key) {}
    ~COpenHandle() { store_.closeKey(key_); }
    COpenHandle(const COpenHandle&) = delete;
    COpenHandle& operator=(const COpenHandle&) = delete;

    IRegistryStore& store() const { return store_; }
    ERegKeyHandle key() const { return key_; }

private:
    IRegistryStore& store_;
    const ERegKeyHandle key_;
};

CRegistryKey::Value::Value(std::string name, std::uint32_t type, std::vector<std::uint8_t> data)
    : name_(std::move(name)), type_(type), data_(std::move(data))
{
}

CRegistryKey::Value::operator std::uint32_t() const
{
    const bool numeric = type_ == RegType::Dword || type_ == RegType::DwordBigEndian;
    // A number shorter than four bytes is as unreadable as a text.
    if (!numeric || data_.size() < 4) {
        throw Value::Exception();
    }
    return static_cast<std::uint32_t>(data_[0]) | static_cast<std::uint32_t>(data_[1]) << 8 |
           static_cast<std::uint32_t>(data_[2]) << 16 | static_cast<std::uint32_t>(data_[3]) << 24;
}

CRegistryKey::CRegistryKey(IRegistryStore& store, ERegKeyHandle root, std::string_view subKey,
                           std::uint32_t access, std::optional<std::string_view> machine)
{
    if (machine) {
        ERegKeyHandle remoteRoot{};
        if (const std::uint32_t result = store.connect(*machine, root, remoteRoot)) {
            throw Exception(kConnectFailed, result);
        }
        root = remoteRoot;
    }
    ERegKeyHandle opened{};
    if (const std::uint32_t result = store.openKey(root, subKey, access, opened)) {
        throw Exception(kOpenFailed, result);
    }
    open_ = share(store, opened);
}

CRegistryKey::CRegistryKey(IRegistryStore& store, ERegKeyHandle key)
    : open_(share(store, key))
{
}

ERegKeyHandle CRegistryKey::Handle() const
{
    return open_->key();
}

IRegistryStore& CRegistryKey::store() const
{
    return open_->store();
}

CRegistryKey CRegistryKey::OpenKey(std::string_view subKey, std::uint32_t access) const
{
    return CRegistryKey(store(), Handle(), subKey, access);
}

CRegistryKey CRegistryKey::CreateOrOpenKey(std::string_view subKey, std::uint32_t* disposition,
                                           std::string_view className, std::uint32_t options,
                                           std::uint32_t access) const
{
    std::uint32_t localDisposition = 0;
    ERegKeyHandle created{};
    const std::uint32_t result = store().createKey(Handle(), subKey, className, options, access,
                                                   created,
                                                   disposition ? *disposition : localDisposition);
    if (result) {
        throw Exception(kCreateFailed, result);
    }
    return CRegistryKey(store(), created);
}

CRegistryKey::Value CRegistryKey::QueryValue(std::string_view name) const
{
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    if (const std::uint32_t result = store().queryValue(Handle(), name, type, data)) {
        throw Exception(kQueryFailed, result);
    }
    return Value(std::string(name), type, std::move(data));
}

void CRegistryKey::SetValue(std::string_view name, std::uint32_t value, std::uint32_t type) const
{
    if (type != RegType::Dword && type != RegType::DwordBigEndian) {
        throw Exception(kSetFailed, RegError::InvalidFlags);
    }
    // The number's bytes as they lie in memory on the machines this ran on: low byte first.
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
        static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    if (const std::uint32_t result = store().setValue(Handle(), name, type, bytes)) {
        throw Exception(kSetFailed, result);
    }
}

std::shared_ptr<const CRegistryKey::COpenHandle> CRegistryKey::share(IRegistryStore& store, ERegKeyHandle key)
{
    // Running out of memory is reported as the store's failures are, and the new handle closed.
    try {
        return std::make_shared<const COpenHandle>(store, key);
    } catch (const std::bad_alloc&) {
        store.closeKey(key);
        throw Exception(kNoMemory, RegError::NotEnoughMemory);
    }
}
