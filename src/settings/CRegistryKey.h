#pragma once
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/CWin32Exception.h"
#include "settings/IRegistryStore.h"

// One open key handle shared by any number of CRegistryKey objects; the last one closes it.
class CCountedRegKey {
public:
    explicit CCountedRegKey(ERegKeyHandle handle) : key(handle) {}
    virtual void Close() = 0;
    virtual ~CCountedRegKey() = default;
    CCountedRegKey(const CCountedRegKey&) = delete;
    CCountedRegKey& operator=(const CCountedRegKey&) = delete;

    const ERegKeyHandle key;
    std::atomic<std::uint32_t> references{1};
};

// The counted key of a store's handle: closing gives the handle back to its store.
class CStoreCountedRegKey final : public CCountedRegKey {
public:
    CStoreCountedRegKey(IRegistryStore& owner, ERegKeyHandle handle)
        : CCountedRegKey(handle), store(owner)
    {
    }
    void Close() override { store.closeKey(key); }

    IRegistryStore& store;
};

// An open registry key with value semantics: copies share the handle.
// Every failure throws CRegistryKey::Exception (or Value::Exception) with the failing step.
class CRegistryKey {
public:
    class Exception : public CWin32Exception {
    public:
        using CWin32Exception::CWin32Exception;
    };

    // A value read from the registry; owns its copies of the name and the bytes.
    class Value {
    public:
        class Exception : public CRegistryKey::Exception {
        public:
            Exception() : CRegistryKey::Exception("CRegistryKey::Value::Exception", RegError::InvalidParameter) {}
        };

        Value(std::string name, std::uint32_t type, std::vector<std::uint8_t> data);

        const std::string& Name() const { return name_; }
        std::uint32_t Type() const { return type_; }
        const std::vector<std::uint8_t>& Data() const { return data_; }
        std::uint32_t Size() const { return static_cast<std::uint32_t>(data_.size()); }

        // The stored 32-bit number (little-endian, also for the big-endian type);
        // throws Value::Exception for any other type or a value shorter than four bytes.
        explicit operator std::uint32_t() const;

    private:
        std::string name_;
        std::uint32_t type_;
        std::vector<std::uint8_t> data_;
    };

    // Opens root\subKey, on `machine`'s registry when one is named.
    CRegistryKey(IRegistryStore& store, ERegKeyHandle root, std::string_view subKey,
                 std::uint32_t access, std::optional<std::string_view> machine = std::nullopt);
    // Takes ownership of an open key.
    CRegistryKey(IRegistryStore& store, ERegKeyHandle key);
    CRegistryKey(const CRegistryKey& other);
    CRegistryKey& operator=(const CRegistryKey& other);
    ~CRegistryKey();

    CRegistryKey OpenKey(std::string_view subKey, std::uint32_t access) const;
    CRegistryKey CreateOrOpenKey(std::string_view subKey, std::uint32_t* disposition,
                                 std::string_view className, std::uint32_t options,
                                 std::uint32_t access) const;
    Value QueryValue(std::string_view name) const;
    void SetValue(std::string_view name, std::uint32_t value,
                  std::uint32_t type = RegType::Dword) const;

    ERegKeyHandle Handle() const { return counted_->key; }

private:
    static CStoreCountedRegKey* NewCCountedRegKey(IRegistryStore& store, ERegKeyHandle key,
                                                  bool closeOnFailure);
    IRegistryStore& store() const { return counted_->store; }
    void release();

    CStoreCountedRegKey* counted_;
};
