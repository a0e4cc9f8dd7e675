#include "settings/CRegistryKey.h"

#include <gtest/gtest.h>

// The file store's own texts, in the wording of the system whose codes it gives.
TEST(Win32ErrorMessage, KnownCodesInTheSystemsWordingOthersNumbered)
{
    EXPECT_EQ(CRegistryKey::Exception("x", 5).GetErrorMessage(), "Access is denied.");
    EXPECT_EQ(CRegistryKey::Value::Exception().GetErrorMessage(), "The parameter is incorrect.");
    EXPECT_EQ(win32ErrorMessage(4321), "Error 4321");
}
