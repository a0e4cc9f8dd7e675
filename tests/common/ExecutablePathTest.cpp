#include "common/DataLocation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

TEST(ExecutablePath, TheRunningProgramIsFound)
{
    const fs::path self = executablePath("whatever");
    EXPECT_TRUE(self.is_absolute());
    EXPECT_TRUE(fs::exists(self));
    EXPECT_NE(self.filename().string().find("common_tests"), std::string::npos) << self;
}
