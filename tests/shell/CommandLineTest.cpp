#include "shell/CommandLine.h"

#include <gtest/gtest.h>

// "/v" anywhere in the joined line asks for the version box; --data names the data folder,
// whose name never counts as "/v"; other text is ignored, as the command line always was.
TEST(CommandLine, ModesAndOptions)
{
    using Args = std::vector<std::string>;
    using enum ELaunchMode;
    // After the "/v" cases: upper case, a v without the slash, "/" and "v" apart, no command line.
    // clang-format off
    const std::pair<Args, ELaunchMode> cases[] = {
        {{"/v"}, VersionBox}, {{"abc/vdef"}, VersionBox}, {{"x", "/v"}, VersionBox},
        {{"--window", "/v"}, VersionBox}, {{"--data", "/x", "/v"}, VersionBox},
        {{"/V"}, Run}, {{"v"}, Run}, {{"/"}, Run}, {{}, Run}, {{"/", "v"}, Run}, {{"hallo"}, Run},
        {{"--data", "/var/games"}, Run}, {{"--help"}, PrintHelp}, {{"--version"}, PrintVersion},
        {{"--window", "--version"}, PrintVersion}, {{"--fenster"}, UsageError}, {{"-x", "/v"}, UsageError},
        {{"--data"}, UsageError}, {{"--data="}, UsageError}};
    // clang-format on
    for (const auto& [args, mode] : cases) {
        EXPECT_EQ(parseCommandLine(args).mode, mode) << ::testing::PrintToString(args);
    }
    EXPECT_TRUE(parseCommandLine({"--window"}).startInWindow);
    EXPECT_FALSE(parseCommandLine({}).startInWindow);
    EXPECT_EQ(parseCommandLine({"--fenster"}).badOption, "--fenster");
    EXPECT_EQ(parseCommandLine({"--data", "/opt/spiel"}).dataFolder, "/opt/spiel");
    EXPECT_EQ(parseCommandLine({"--data=/opt/spiel", "--window"}).dataFolder, "/opt/spiel");
    EXPECT_EQ(parseCommandLine({}).dataFolder, "");
}
