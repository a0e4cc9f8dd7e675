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
    counted_ = NewCCountedRegKey(store, opened, true);
}

CRegistryKey::CRegistryKey(IRegistryStore& store, ERegKeyHandle key)
    : counted_(NewCCountedRegKey(store, key, true))
{
}

CRegistryKey::CRegistryKey(const CRegistryKey& other) : counted_(other.counted_)
{
    counted_->references.fetch_add(1);
}

CRegistryKey& CRegistryKey::operator=(const CRegistryKey& other)
{
    if (&other == this) {
        return *this;
    }
    // Taking the new reference first keeps a key shared by both alive throughout.
    other.counted_->references.fetch_add(1);
    release();
    counted_ = other.counted_;
    return *this;
}

CRegistryKey::~CRegistryKey()
{
    release();
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

CStoreCountedRegKey* CRegistryKey::NewCCountedRegKey(IRegistryStore& store, ERegKeyHandle key,
                                                     bool closeOnFailure)
{
    auto* counted = new (std::nothrow) CStoreCountedRegKey(store, key);
    if (!counted) {
        if (closeOnFailure) {
            store.closeKey(key);
        }
        throw Exception(kNoMemory, RegError::NotEnoughMemory);
    }
    return counted;
}

void CRegistryKey::release()
{
    if (counted_->references.fetch_sub(1) == 1) {
        counted_->Close();
        delete counted_;
    }
}
