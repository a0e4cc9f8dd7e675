#include "settings/CFileRegistryStore.h"
#include "settings/CRegistryKey.h"
#include "settings/RegistryTypes.h"

#include "MemoryRegistryFile.h"
#include "RegistryChecks.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using registrychecks::Thrown;
using registrychecks::thrown;

constexpr const char* kSample = "REGEDIT4\r\n\r\n"
                                "[HKEY_CURRENT_USER\\Software\\Velmora\\Minnespiegel\\2004]\r\n"
                                "\"back\"=dword:00000004\r\n"
                                "\"music\"=\"1\"\r\n"
                                "\"big\"=hex(5):01,02,03,04\r\n"
                                "\"short\"=hex(4):01,02\r\n";

class RegistryKeyTest : public ::testing::Test {
protected:
    std::string text = kSample;
    CMemoryRegistryFile* file = new CMemoryRegistryFile(text);
    CFileRegistryStore store{std::unique_ptr<IRegistryFile>(file)};

    CRegistryKey product(std::uint32_t access = RegAccess::AllAccess)
    {
        return CRegistryKey(store, kHKeyCurrentUser, "Software\\Velmora\\Minnespiegel\\2004", access);
    }
};

TEST_F(RegistryKeyTest, CopiesShareOneHandleThatTheLastOneCloses)
{
    {
        CRegistryKey b(store, kHKeyCurrentUser, "Software", RegAccess::Read);
        {
            CRegistryKey a = product();
            b = a; // b gives up "Software" and shares a's key
            EXPECT_EQ(store.openKeyCount(), 1u);
            CRegistryKey& alias = a;
            a = alias; // self-assignment keeps the key open
            CRegistryKey copy(a);
            copy = b; // already shared
            EXPECT_EQ(copy.Handle(), a.Handle());
        }
        EXPECT_EQ(static_cast<std::uint32_t>(b.QueryValue("back")), 4u)
            << "a is gone but b still uses the key";
        EXPECT_EQ(store.openKeyCount(), 1u);
    }
    EXPECT_EQ(store.openKeyCount(), 0u);
}

TEST_F(RegistryKeyTest, KeysAndNumbersRoundTripThroughTheFile)
{
    registrychecks::keysAndNumbersRoundTrip(store, "Other");
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Other\\A\\B]\r\n"), std::string::npos);
    const CRegistryKey key = product();
    EXPECT_EQ(static_cast<std::uint32_t>(key.QueryValue("big")), 0x04030201u) << "both number types low byte first";
    EXPECT_THROW(static_cast<void>(static_cast<std::uint32_t>(key.QueryValue("short"))), CRegistryKey::Value::Exception)
        << "two bytes are not a number";
    try { // a value's exception is a key's, which is the system error's
        static_cast<void>(static_cast<std::uint32_t>(key.QueryValue("music")));
        FAIL() << "a text is no number";
    } catch (const CWin32Exception& e) {
        EXPECT_EQ(e.GetErrorMessage(), win32ErrorMessage(RegError::InvalidParameter));
    }
    const CRegistryKey::Value string = key.QueryValue("music");
    EXPECT_EQ(string.Type(), RegType::String);
    EXPECT_EQ(string.Size(), 2u) << "with its closing NUL";
}

TEST_F(RegistryKeyTest, EveryFailureCarriesItsStepAndCodeAndChangesNothing)
{
    registrychecks::failuresCarryTheirStepAndCode(store, "Scratch");
    text = kSample;
    EXPECT_EQ(thrown([&] { CRegistryKey(store, kHKeyCurrentUser, "Software", RegAccess::Read, "far-away"); }),
              (Thrown{"CRegistryKey::CRegistryKey() - RegConnectRegistry", 53}));
    EXPECT_EQ(thrown([&] { product().CreateOrOpenKey("a\\\\b", nullptr, "", 0, RegAccess::AllAccess); }),
              (Thrown{"CRegistryKey::CreateOrOpenKey()", 87}));
    EXPECT_THROW(product().SetValue("back", 1, 3), CRegistryKey::Exception) << "binary data is no number";
    EXPECT_THROW(product().SetValue("back", 1, RegType::String), CRegistryKey::Exception);
    EXPECT_THROW(product(RegAccess::SetValue).QueryValue("back"), CRegistryKey::Exception);
    for (const std::string& bad : {std::string("a\nb"), std::string("a\rb"), std::string("a\0b", 3)}) {
        EXPECT_EQ(thrown([&] { product().SetValue(bad, 1); }).second, RegError::InvalidParameter) << "breaks the file";
    }
    EXPECT_EQ(text, kSample) << "a refused write changes nothing";
    file->writeError = RegError::AccessDenied;
    EXPECT_EQ(thrown([&] { product().SetValue("back", 1); }), (Thrown{"CRegistryKey::SetValue()", 5}));
    EXPECT_EQ(thrown([&] { CRegistryKey(store, kHKeyCurrentUser, "Software", RegAccess::AllAccess)
                               .CreateOrOpenKey("New", nullptr, "", 0, RegAccess::AllAccess); }),
              (Thrown{"CRegistryKey::CreateOrOpenKey()", 5}));
    EXPECT_EQ(store.openKeyCount(), 0u) << "no key is left open by a failure";
}

} // namespace
