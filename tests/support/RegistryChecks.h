#pragma once
// What every registry store must do behind CRegistryKey, on the file the Linux build keeps as
// on the system registry: keys made and found again, numbers read back as written, and every
// failure thrown with its step and the store's code.
#include "settings/CRegistryKey.h"
#include "settings/RegistryTypes.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace registrychecks {

using Thrown = std::pair<std::string, std::uint32_t>;

template <class Call>
Thrown thrown(Call call)
{
    try {
        call();
    } catch (const CRegistryKey::Value::Exception& e) {
        return {std::string("value: ") + e.where, e.error};
    } catch (const CRegistryKey::Exception& e) {
        return {e.where, e.error};
    }
    return {"nothing thrown", 0};
}

// `path` (below HKEY_CURRENT_USER\Software) does not exist yet; the checks leave it behind.
inline void keysAndNumbersRoundTrip(IRegistryStore& store, const std::string& path)
{
    const CRegistryKey software(store, kHKeyCurrentUser, "Software", RegAccess::AllAccess);
    std::uint32_t disposition = 0;
    const CRegistryKey created = software.CreateOrOpenKey(path + "\\A\\B", &disposition, "", 0, RegAccess::AllAccess);
    EXPECT_EQ(disposition, RegDisposition::CreatedNewKey);
    software.CreateOrOpenKey(path + "\\A\\B", &disposition, "", 0, RegAccess::AllAccess);
    EXPECT_EQ(disposition, RegDisposition::OpenedExistingKey);
    EXPECT_NO_THROW(software.OpenKey(path + "\\A", RegAccess::Read)) << "parents exist with their children";
    created.SetValue("back", 3);
    created.SetValue("big", 0x11223344u, RegType::DwordBigEndian);

    const CRegistryKey reopened(store, kHKeyCurrentUser, "Software\\" + path + "\\a\\b", RegAccess::Read); // any case
    EXPECT_EQ(static_cast<std::uint32_t>(reopened.QueryValue("back")), 3u);
    const CRegistryKey::Value big = reopened.QueryValue("big");
    EXPECT_EQ(big.Type(), RegType::DwordBigEndian);
    EXPECT_EQ(big.Data(), (std::vector<std::uint8_t>{0x44, 0x33, 0x22, 0x11}));
    EXPECT_EQ(static_cast<std::uint32_t>(big), 0x11223344u) << "read as stored, not swapped";
}

inline void failuresCarryTheirStepAndCode(IRegistryStore& store, const std::string& path)
{
    const CRegistryKey key = CRegistryKey(store, kHKeyCurrentUser, "Software", RegAccess::AllAccess)
                                 .CreateOrOpenKey(path, nullptr, "", 0, RegAccess::AllAccess);
    key.SetValue("number", 4);
    const std::uint8_t text[] = "1";
    ASSERT_EQ(store.setValue(key.Handle(), "text", RegType::String, text), 0u);
    EXPECT_EQ(thrown([&] { key.OpenKey("Missing", RegAccess::Read); }),
              (Thrown{"CRegistryKey::CRegistryKey(HKEY hKey ...)", 2}));
    EXPECT_EQ(thrown([&] { key.QueryValue("missing"); }), (Thrown{"CRegistryKey::QueryValue()", 2}));
    EXPECT_EQ(thrown([&] { key.SetValue("number", 1, RegType::String); }), (Thrown{"CRegistryKey::SetValue()", 1004}));
    EXPECT_EQ(thrown([&] { static_cast<void>(static_cast<std::uint32_t>(key.QueryValue("text"))); }),
              (Thrown{"value: CRegistryKey::Value::Exception", 87}));
    // A key opened for reading only reads, and refuses a write.
    const CRegistryKey readOnly(store, kHKeyCurrentUser, "Software\\" + path, RegAccess::Read);
    EXPECT_EQ(static_cast<std::uint32_t>(readOnly.QueryValue("number")), 4u);
    EXPECT_EQ(thrown([&] { readOnly.SetValue("number", 1); }), (Thrown{"CRegistryKey::SetValue()", 5}));
}

} // namespace registrychecks
