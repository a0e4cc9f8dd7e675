#include "platform/win32/Win32RegistryStore.h"

#include "platform/win32/Win32Api.h"
#include "settings/CRegistryKey.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// A key of its own for each run below HKEY_CURRENT_USER\Software, removed at the end.
class Win32Registry : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kScratch.c_str()); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kScratch.c_str()); }

    const std::string kScratch = "Software\\MinnespiegelTest" + std::to_string(GetCurrentProcessId());
    CWin32RegistryStore store;
};

std::uint32_t failureCode(const std::function<void()>& step, std::string& where)
{
    try {
        step();
    } catch (const CRegistryKey::Exception& error) {
        where = error.where;
        return error.error;
    }
    return 0;
}

TEST_F(Win32Registry, KeysAndNumbersRoundTripThroughTheSystemRegistry)
{
    const CRegistryKey software(store, kHKeyCurrentUser, "Software", RegAccess::AllAccess);
    std::uint32_t disposition = 0;
    const CRegistryKey created = software.CreateOrOpenKey(kScratch.substr(9) + "\\A\\B", &disposition, "", 0,
                                                          RegAccess::AllAccess);
    EXPECT_EQ(disposition, RegDisposition::CreatedNewKey);
    created.SetValue("back", 3);
    created.SetValue("big", 0x01020304u, RegType::DwordBigEndian);

    const CRegistryKey reopened(store, kHKeyCurrentUser, kScratch + "\\A\\B", RegAccess::Read, "");
    EXPECT_EQ(static_cast<std::uint32_t>(reopened.QueryValue("back")), 3u);
    const CRegistryKey::Value big = reopened.QueryValue("big");
    EXPECT_EQ(big.Type(), RegType::DwordBigEndian);
    EXPECT_EQ(static_cast<std::uint32_t>(big), 0x01020304u) << "read as stored, not swapped";

    DWORD raw = 0, size = sizeof raw, type = 0;
    ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, (kScratch + "\\A\\B").c_str(), "back", RRF_RT_ANY, &type, &raw, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_DWORD));
    EXPECT_EQ(raw, 3u);

    software.CreateOrOpenKey(kScratch.substr(9) + "\\A\\B", &disposition, "", 0, RegAccess::AllAccess);
    EXPECT_EQ(disposition, RegDisposition::OpenedExistingKey);
}

TEST_F(Win32Registry, FailuresCarryTheSystemsCodesAndTheSameStepsAsElsewhere)
{
    const CRegistryKey software(store, kHKeyCurrentUser, "Software", RegAccess::AllAccess);
    const CRegistryKey scratch = software.CreateOrOpenKey(kScratch.substr(9), nullptr, "", 0, RegAccess::AllAccess);
    std::string where;

    EXPECT_EQ(failureCode([&] { scratch.OpenKey("missing", RegAccess::Read); }, where), 2u);
    EXPECT_EQ(where, "CRegistryKey::CRegistryKey(HKEY hKey ...)");
    EXPECT_EQ(failureCode([&] { scratch.QueryValue("missing"); }, where), 2u);
    EXPECT_EQ(where, "CRegistryKey::QueryValue()");
    EXPECT_EQ(failureCode([&] { scratch.SetValue("text", 1, RegType::String); }, where), 1004u);
    EXPECT_EQ(where, "CRegistryKey::SetValue()");
    EXPECT_NE(failureCode([&] { CRegistryKey(store, kHKeyCurrentUser, "Software", RegAccess::Read,
                                             "\\\\no-such-machine.invalid"); },
                          where),
              0u);
    EXPECT_EQ(where, "CRegistryKey::CRegistryKey() - RegConnectRegistry");

    // A key opened for reading only refuses a write with the system's own code.
    const CRegistryKey readOnly(store, kHKeyCurrentUser, kScratch, RegAccess::Read);
    EXPECT_EQ(failureCode([&] { readOnly.SetValue("back", 1); }, where), 5u);
    EXPECT_EQ(where, "CRegistryKey::SetValue()");

    const std::uint8_t text[] = "4";
    ASSERT_EQ(store.setValue(scratch.Handle(), "music", RegType::String, text), 0u);
    try {
        static_cast<void>(static_cast<std::uint32_t>(scratch.QueryValue("music")));
        ADD_FAILURE() << "a text converted to a number";
    } catch (const CRegistryKey::Value::Exception& error) {
        EXPECT_EQ(error.error, 87u);
    }
}

TEST_F(Win32Registry, ErrorMessagesAreTheSystemsTextsOnOneLine)
{
    const CRegistryKey::Exception missing("step", 2);
    const std::string text = missing.GetErrorMessage();
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
    EXPECT_NE(text, "Error 2");
    EXPECT_NE(CRegistryKey::Exception("step", 5).GetErrorMessage(), text);
    EXPECT_EQ(CRegistryKey::Exception("step", 0xDEADBEEFu).GetErrorMessage(), "Error 3735928559");
}

TEST_F(Win32Registry, SettingsAreStoredUnderTheProductKeyAsNumbers)
{
    const char* const product = "Software\\Velmora\\Minnespiegel\\2004";
    std::int32_t before = -1;
    const bool hadDancer = LoadSetting(store, "dancer", before);

    ASSERT_TRUE(SaveSetting(store, "dancer", 1));
    DWORD raw = 0, size = sizeof raw;
    ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, product, "dancer", RRF_RT_REG_DWORD, nullptr, &raw, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(raw, 1u);
    std::int32_t loaded = 0;
    EXPECT_TRUE(LoadSetting(store, "dancer", loaded));
    EXPECT_EQ(loaded, 1);

    std::int32_t untouched = 42;
    EXPECT_FALSE(LoadSetting(store, "no such setting", untouched));
    EXPECT_EQ(untouched, 42);

    if (hadDancer) {
        SaveSetting(store, "dancer", before);
    } else {
        RegDeleteKeyValueA(HKEY_CURRENT_USER, product, "dancer");
    }
}

} // namespace
