#include "settings/CFileRegistryStore.h"
#include "settings/CRegistryKey.h"
#include "settings/RegistryTypes.h"

#include "MemoryRegistryFile.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// Passes everything on to a file store and counts how often each handle is closed.
class CCountingStore final : public IRegistryStore {
public:
    explicit CCountingStore(std::string& text)
        : file_(new CMemoryRegistryFile(text)), inner_(std::unique_ptr<IRegistryFile>(file_))
    {
    }

    std::uint32_t connect(std::string_view m, ERegKeyHandle r, ERegKeyHandle& out) override
    {
        return inner_.connect(m, r, out);
    }
    std::uint32_t openKey(ERegKeyHandle p, std::string_view s, std::uint32_t a, ERegKeyHandle& out) override
    {
        return inner_.openKey(p, s, a, out);
    }
    std::uint32_t createKey(ERegKeyHandle p, std::string_view s, std::string_view c, std::uint32_t o,
                            std::uint32_t a, ERegKeyHandle& out, std::uint32_t& d) override
    {
        return inner_.createKey(p, s, c, o, a, out, d);
    }
    std::uint32_t queryValue(ERegKeyHandle k, std::string_view n, std::uint32_t& t,
                             std::vector<std::uint8_t>& d) override
    {
        return inner_.queryValue(k, n, t, d);
    }
    std::uint32_t setValue(ERegKeyHandle k, std::string_view n, std::uint32_t t,
                           std::span<const std::uint8_t> d) override
    {
        return inner_.setValue(k, n, t, d);
    }
    std::uint32_t closeKey(ERegKeyHandle k) override
    {
        ++closes[k];
        return inner_.closeKey(k);
    }

    std::map<ERegKeyHandle, int> closes;
    CMemoryRegistryFile* file_;
    CFileRegistryStore inner_;
};

constexpr const char* kSample =
    "REGEDIT4\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Velmora\\Minnespiegel\\2004]\r\n"
    "\"back\"=dword:00000004\r\n"
    "\"music\"=\"1\"\r\n"
    "\"big\"=hex(5):01,02,03,04\r\n"
    "\"short\"=hex(4):01,02\r\n";

class RegistryKeyTest : public ::testing::Test {
protected:
    std::string text = kSample;
    CCountingStore store{text};

    CRegistryKey product() const
    {
        return CRegistryKey(const_cast<CCountingStore&>(store), kHKeyCurrentUser,
                            "Software\\Velmora\\Minnespiegel\\2004", RegAccess::AllAccess);
    }

    template <class Call>
    static std::pair<std::string, std::uint32_t> thrown(Call call)
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
};

TEST_F(RegistryKeyTest, CopiesShareOneHandleThatTheLastOneCloses)
{
    ERegKeyHandle handle{};
    {
        CRegistryKey b(store, kHKeyCurrentUser, "Software", RegAccess::Read);
        {
            CRegistryKey a = product();
            handle = a.Handle();
            b = a; // b gives up "Software" and shares a's key
            EXPECT_EQ(store.closes.size(), 1u);
        }
        EXPECT_EQ(store.closes.count(handle), 0u) << "a is gone but b still uses the key";
        EXPECT_EQ(static_cast<std::uint32_t>(b.QueryValue("back")), 4u);
        EXPECT_EQ(b.Handle(), handle);
    }
    EXPECT_EQ(store.closes[handle], 1);
    EXPECT_EQ(store.inner_.openKeyCount(), 0u);
}

TEST_F(RegistryKeyTest, SelfAssignmentKeepsTheKeyOpen)
{
    CRegistryKey key = product();
    CRegistryKey& alias = key;
    key = alias;
    EXPECT_TRUE(store.closes.empty());
    EXPECT_EQ(static_cast<std::uint32_t>(key.QueryValue("back")), 4u);
    CRegistryKey copy(key);
    copy = key; // already shared: still one handle, closed once at the end
    EXPECT_TRUE(store.closes.empty());
}

TEST_F(RegistryKeyTest, EveryFailureCarriesItsStepAndCode)
{
    using Thrown = std::pair<std::string, std::uint32_t>;
    EXPECT_EQ(thrown([&] { CRegistryKey(store, kHKeyCurrentUser, "Software", RegAccess::Read, "far-away"); }),
              (Thrown{"CRegistryKey::CRegistryKey() - RegConnectRegistry", 53}));
    EXPECT_EQ(thrown([&] { product().OpenKey("Missing", RegAccess::Read); }),
              (Thrown{"CRegistryKey::CRegistryKey(HKEY hKey ...)", 2}));
    EXPECT_EQ(thrown([&] { product().CreateOrOpenKey("a\\\\b", nullptr, "", 0, RegAccess::AllAccess); }),
              (Thrown{"CRegistryKey::CreateOrOpenKey()", 87}));
    EXPECT_EQ(thrown([&] { product().QueryValue("dancer"); }),
              (Thrown{"CRegistryKey::QueryValue()", 2}));
    EXPECT_EQ(thrown([&] { product().SetValue("back", 1, RegType::String); }),
              (Thrown{"CRegistryKey::SetValue()", 1004}));
    EXPECT_EQ(thrown([&] { static_cast<void>(static_cast<std::uint32_t>(product().QueryValue("music"))); }),
              (Thrown{"value: CRegistryKey::Value::Exception", 87}));
    EXPECT_THROW(product().SetValue("back", 1, 3), CRegistryKey::Exception) << "binary data is no number";
    EXPECT_EQ(text, kSample) << "a refused write changes nothing";
    store.file_->writeError = RegError::AccessDenied;
    EXPECT_EQ(thrown([&] { product().SetValue("back", 1); }), (Thrown{"CRegistryKey::SetValue()", 5}));
    EXPECT_EQ(thrown([&] { CRegistryKey(store, kHKeyCurrentUser, "Software", RegAccess::AllAccess)
                               .CreateOrOpenKey("New", nullptr, "", 0, RegAccess::AllAccess); }),
              (Thrown{"CRegistryKey::CreateOrOpenKey()", 5}));
    EXPECT_EQ(store.inner_.openKeyCount(), 0u) << "no key is left open by a failure";
}

TEST_F(RegistryKeyTest, ValueExceptionIsARegistryKeyExceptionIsAWin32Exception)
{
    try {
        static_cast<void>(static_cast<std::uint32_t>(product().QueryValue("music")));
        FAIL() << "a text is no number";
    } catch (const CWin32Exception& e) {
        EXPECT_EQ(e.error, RegError::InvalidParameter);
        EXPECT_EQ(e.GetErrorMessage(), win32ErrorMessage(RegError::InvalidParameter));
    }
}

TEST_F(RegistryKeyTest, NumbersAreReadLowByteFirstForBothNumberTypes)
{
    const CRegistryKey key = product();
    EXPECT_EQ(static_cast<std::uint32_t>(key.QueryValue("big")), 0x04030201u);
    EXPECT_THROW(static_cast<void>(static_cast<std::uint32_t>(key.QueryValue("short"))),
                 CRegistryKey::Value::Exception)
        << "two bytes are not a number";
    key.SetValue("be", 0x11223344u, RegType::DwordBigEndian);
    const CRegistryKey::Value value = key.QueryValue("be");
    EXPECT_EQ(value.Type(), RegType::DwordBigEndian);
    EXPECT_EQ(value.Data(), (std::vector<std::uint8_t>{0x44, 0x33, 0x22, 0x11}));
    EXPECT_EQ(static_cast<std::uint32_t>(value), 0x11223344u);
    const CRegistryKey::Value string = key.QueryValue("music");
    EXPECT_EQ(string.Type(), RegType::String);
    EXPECT_EQ(string.Size(), 2u) << "with its closing NUL";
}

TEST_F(RegistryKeyTest, CreateOrOpenKeyReportsWhatItFound)
{
    const CRegistryKey software(store, kHKeyCurrentUser, "Software", RegAccess::AllAccess);
    std::uint32_t disposition = 0;
    software.CreateOrOpenKey("Velmora\\Minnespiegel\\2004", &disposition, "", 0, RegAccess::AllAccess);
    EXPECT_EQ(disposition, RegDisposition::OpenedExistingKey);
    const CRegistryKey created =
        software.CreateOrOpenKey("Other\\Deep", &disposition, "", 0, RegAccess::AllAccess);
    EXPECT_EQ(disposition, RegDisposition::CreatedNewKey);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Other\\Deep]\r\n"), std::string::npos);
    EXPECT_NO_THROW(software.OpenKey("Other", RegAccess::Read)) << "parents exist with their children";
    EXPECT_NO_THROW(software.OpenKey("velmora\\MINNESPIEGEL\\2004", RegAccess::Read))
        << "names ignore case";
}

TEST_F(RegistryKeyTest, AccessRightsAreEnforced)
{
    const CRegistryKey readOnly(store, kHKeyCurrentUser, "Software\\Velmora\\Minnespiegel\\2004",
                                RegAccess::Read);
    EXPECT_EQ(static_cast<std::uint32_t>(readOnly.QueryValue("back")), 4u);
    EXPECT_EQ(thrown([&] { readOnly.SetValue("back", 1); }).second, RegError::AccessDenied);
    const CRegistryKey writeOnly(store, kHKeyCurrentUser, "Software\\Velmora\\Minnespiegel\\2004",
                                 RegAccess::SetValue);
    EXPECT_THROW(writeOnly.QueryValue("back"), CRegistryKey::Exception);
}

TEST_F(RegistryKeyTest, NamesThatWouldBreakTheFileAreRefused)
{
    const CRegistryKey key = product();
    for (const std::string& bad : {std::string("a\nb"), std::string("a\rb"), std::string("a\0b", 3)}) {
        EXPECT_EQ(thrown([&] { key.SetValue(bad, 1); }).second, RegError::InvalidParameter);
    }
    EXPECT_EQ(text, kSample);
}

} // namespace
