#include "platform/win32/Win32RegistryStore.h"

#include "platform/win32/Win32Api.h"
#include "settings/CRegistryKey.h"

#include "RegistryChecks.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A key of its own for each run below HKEY_CURRENT_USER\Software, removed at the end. The
// settings under the program's own key, as numbers the system's registry tool shows and the
// next run reads, are the settings scenario's under wine.
class Win32Registry : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + kScratch).c_str()); }
    void TearDown() override { SetUp(); }

    const std::string kScratch = "MinnespiegelTest" + std::to_string(GetCurrentProcessId());
    CWin32RegistryStore store;
};

// Failures carry the system's codes and the same steps as elsewhere; the error messages are the
// system's texts on one line.
TEST_F(Win32Registry, KeysNumbersAndFailuresAsElsewhereWithTheSystemsCodesAndTexts)
{
    registrychecks::keysAndNumbersRoundTrip(store, kScratch);
    registrychecks::failuresCarryTheirStepAndCode(store, kScratch + "\\Failures");
    // A machine name the system cannot reach at once.
    const registrychecks::Thrown connect = registrychecks::thrown([&] {
        CRegistryKey(store, kHKeyCurrentUser, "Software", RegAccess::Read, "\\\\no-such-machine.invalid");
    });
    EXPECT_EQ(connect.first, "CRegistryKey::CRegistryKey() - RegConnectRegistry");
    EXPECT_NE(connect.second, 0u);
    const std::string text = CRegistryKey::Exception("step", 2).GetErrorMessage();
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
    EXPECT_NE(text, "Error 2");
    EXPECT_NE(CRegistryKey::Exception("step", 5).GetErrorMessage(), text);
    EXPECT_EQ(CRegistryKey::Exception("step", 0xDEADBEEFu).GetErrorMessage(), "Error 3735928559");
}

} // namespace
