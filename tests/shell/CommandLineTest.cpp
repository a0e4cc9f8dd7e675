#include "shell/CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, SlashVAnywhereInALongerLineAsksForTheVersionBox)
{
    EXPECT_EQ(parseCommandLine({"/v"}).mode, ELaunchMode::VersionBox);
    EXPECT_EQ(parseCommandLine({"abc/vdef"}).mode, ELaunchMode::VersionBox);
    EXPECT_EQ(parseCommandLine({"x", "/v"}).mode, ELaunchMode::VersionBox);
    EXPECT_EQ(parseCommandLine({"--window", "/v"}).mode, ELaunchMode::VersionBox);
    // Upper case, a v without the slash, or no command line: an ordinary start.
    EXPECT_EQ(parseCommandLine({"/V"}).mode, ELaunchMode::Run);
    EXPECT_EQ(parseCommandLine({"v"}).mode, ELaunchMode::Run);
    EXPECT_EQ(parseCommandLine({"/"}).mode, ELaunchMode::Run);
    EXPECT_EQ(parseCommandLine({}).mode, ELaunchMode::Run);
    // Joined with a blank, "/" and "v" in two arguments are not "/v".
    EXPECT_EQ(parseCommandLine({"/", "v"}).mode, ELaunchMode::Run);
}

TEST(CommandLine, OwnOptions)
{
    const SLaunchOptions window = parseCommandLine({"--window"});
    EXPECT_EQ(window.mode, ELaunchMode::Run);
    EXPECT_TRUE(window.startInWindow);
    EXPECT_FALSE(parseCommandLine({}).startInWindow);
    EXPECT_EQ(parseCommandLine({"--help"}).mode, ELaunchMode::PrintHelp);
    EXPECT_EQ(parseCommandLine({"--version"}).mode, ELaunchMode::PrintVersion);
    EXPECT_EQ(parseCommandLine({"--window", "--version"}).mode, ELaunchMode::PrintVersion);

    const SLaunchOptions bad = parseCommandLine({"--fenster"});
    EXPECT_EQ(bad.mode, ELaunchMode::UsageError);
    EXPECT_EQ(bad.badOption, "--fenster");
    EXPECT_EQ(parseCommandLine({"-x", "/v"}).mode, ELaunchMode::UsageError);
    // Other text is ignored, as the command line always was.
    EXPECT_EQ(parseCommandLine({"hallo"}).mode, ELaunchMode::Run);
    EXPECT_NE(usageText("minnespiegel").find("--window"), std::string::npos);
}

// --data names the data folder; the folder's name never counts as "/v", and --data without a
// folder is a usage error.
TEST(CommandLine, DataFolder)
{
    EXPECT_EQ(parseCommandLine({"--data", "/opt/spiel"}).dataFolder, "/opt/spiel");
    EXPECT_EQ(parseCommandLine({"--data=/opt/spiel", "--window"}).dataFolder, "/opt/spiel");
    EXPECT_EQ(parseCommandLine({}).dataFolder, "");
    EXPECT_EQ(parseCommandLine({"--data", "/var/games"}).mode, ELaunchMode::Run);
    EXPECT_EQ(parseCommandLine({"--data", "/x", "/v"}).mode, ELaunchMode::VersionBox);
    EXPECT_EQ(parseCommandLine({"--data"}).mode, ELaunchMode::UsageError);
    EXPECT_EQ(parseCommandLine({"--data="}).mode, ELaunchMode::UsageError);

    // The help lists the places in the order they are tried.
    const std::string help = usageText("minnespiegel");
    std::size_t at = 0;
    for (const char* place : {"--data ORDNER, wenn", "aktuellen Ordner;", "MINNESPIEGEL_DATA", "../share/minnespiegel",
                              "festgelegten Datenordner", "XDG_STATE_HOME", "XDG_CONFIG_HOME"}) {
        const std::size_t next = help.find(place, at);
        ASSERT_NE(next, std::string::npos) << place;
        at = next;
    }
}
