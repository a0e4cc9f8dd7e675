#include "settings/CFileRegistryStore.h"
#include "settings/CRegistryKey.h"
#include "settings/RegistryTypes.h"

#include "MemoryRegistryFile.h"
#include "RegistryChecks.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using registrychecks::Thrown;
using registrychecks::thrown;
using Handle = ERegKeyHandle;
using Bytes = std::vector<std::uint8_t>;

// Passes everything on to a file store in memory and counts how often each handle is closed.
class CCountingStore final : public IRegistryStore {
public:
    explicit CCountingStore(std::string& text) : file(new CMemoryRegistryFile(text)), inner(std::unique_ptr<IRegistryFile>(file)) {}

    std::uint32_t connect(std::string_view m, Handle r, Handle& out) override { return inner.connect(m, r, out); }
    std::uint32_t openKey(Handle p, std::string_view s, std::uint32_t a, Handle& out) override { return inner.openKey(p, s, a, out); }
    std::uint32_t createKey(Handle p, std::string_view s, std::string_view c, std::uint32_t o, std::uint32_t a,
                            Handle& out, std::uint32_t& d) override { return inner.createKey(p, s, c, o, a, out, d); }
    std::uint32_t queryValue(Handle k, std::string_view n, std::uint32_t& t, Bytes& d) override { return inner.queryValue(k, n, t, d); }
    std::uint32_t setValue(Handle k, std::string_view n, std::uint32_t t, std::span<const std::uint8_t> d) override
    {
        return inner.setValue(k, n, t, d);
    }
    std::uint32_t closeKey(Handle k) override
    {
        ++closes[k];
        return inner.closeKey(k);
    }

    std::map<Handle, int> closes;
    CMemoryRegistryFile* file;
    CFileRegistryStore inner;
};

constexpr const char* kSample = "REGEDIT4\r\n\r\n"
                                "[HKEY_CURRENT_USER\\Software\\Velmora\\Minnespiegel\\2004]\r\n"
                                "\"back\"=dword:00000004\r\n"
                                "\"music\"=\"1\"\r\n"
                                "\"big\"=hex(5):01,02,03,04\r\n"
                                "\"short\"=hex(4):01,02\r\n";

class RegistryKeyTest : public ::testing::Test {
protected:
    std::string text = kSample;
    CCountingStore store{text};

    CRegistryKey product(std::uint32_t access = RegAccess::AllAccess)
    {
        return CRegistryKey(store, kHKeyCurrentUser, "Software\\Velmora\\Minnespiegel\\2004", access);
    }
};

TEST_F(RegistryKeyTest, CopiesShareOneHandleThatTheLastOneClosesOnce)
{
    Handle handle{};
    {
        CRegistryKey b(store, kHKeyCurrentUser, "Software", RegAccess::Read);
        {
            CRegistryKey a = product();
            handle = a.Handle();
            b = a; // b gives up "Software" and shares a's key
            EXPECT_EQ(store.closes.size(), 1u);
            CRegistryKey& alias = a;
            a = alias; // self-assignment keeps the key open
            CRegistryKey copy(a);
            copy = b; // already shared
        }
        EXPECT_EQ(store.closes.count(handle), 0u) << "a is gone but b still uses the key";
        EXPECT_EQ(static_cast<std::uint32_t>(b.QueryValue("back")), 4u);
        EXPECT_EQ(b.Handle(), handle);
    }
    EXPECT_EQ(store.closes[handle], 1);
    EXPECT_EQ(store.inner.openKeyCount(), 0u);
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
    store.file->writeError = RegError::AccessDenied;
    EXPECT_EQ(thrown([&] { product().SetValue("back", 1); }), (Thrown{"CRegistryKey::SetValue()", 5}));
    EXPECT_EQ(thrown([&] { CRegistryKey(store, kHKeyCurrentUser, "Software", RegAccess::AllAccess)
                               .CreateOrOpenKey("New", nullptr, "", 0, RegAccess::AllAccess); }),
              (Thrown{"CRegistryKey::CreateOrOpenKey()", 5}));
    EXPECT_EQ(store.inner.openKeyCount(), 0u) << "no key is left open by a failure";
}

} // namespace
