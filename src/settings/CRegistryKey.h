#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/CWin32Exception.h"
#include "settings/IRegistryStore.h"

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
    // Copies share the open key; it closes when the last copy goes. No moves: a moved-from key
    // would have no handle, so a "move" copies too.
    CRegistryKey(const CRegistryKey& other) = default;
    CRegistryKey& operator=(const CRegistryKey& other) = default;

    CRegistryKey OpenKey(std::string_view subKey, std::uint32_t access) const;
    CRegistryKey CreateOrOpenKey(std::string_view subKey, std::uint32_t* disposition,
                                 std::string_view className, std::uint32_t options,
                                 std::uint32_t access) const;
    Value QueryValue(std::string_view name) const;
    void SetValue(std::string_view name, std::uint32_t value,
                  std::uint32_t type = RegType::Dword) const;

    ERegKeyHandle Handle() const;

private:
    class COpenHandle;
    static std::shared_ptr<const COpenHandle> share(IRegistryStore& store, ERegKeyHandle key);
    IRegistryStore& store() const;

    std::shared_ptr<const COpenHandle> open_;
};
