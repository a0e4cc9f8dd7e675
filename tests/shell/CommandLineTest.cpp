#include "shell/CommandLine.h"

#include <gtest/gtest.h>

// "/v" anywhere in the joined line asks for the version box; --data names the data folder,
// whose name never counts as "/v"; other text is ignored, as the command line always was.
TEST(CommandLine, ModesAndOptions)
{
    using Args = std::vector<std::string>;
    const std::pair<Args, ELaunchMode> cases[] = {
        {{"/v"}, ELaunchMode::VersionBox},
        {{"abc/vdef"}, ELaunchMode::VersionBox},
        {{"x", "/v"}, ELaunchMode::VersionBox},
        {{"--window", "/v"}, ELaunchMode::VersionBox},
        {{"--data", "/x", "/v"}, ELaunchMode::VersionBox},
        // Upper case, a v without the slash, "/" and "v" apart, or no command line.
        {{"/V"}, ELaunchMode::Run},
        {{"v"}, ELaunchMode::Run},
        {{"/"}, ELaunchMode::Run},
        {{}, ELaunchMode::Run},
        {{"/", "v"}, ELaunchMode::Run},
        {{"hallo"}, ELaunchMode::Run},
        {{"--data", "/var/games"}, ELaunchMode::Run},
        {{"--help"}, ELaunchMode::PrintHelp},
        {{"--version"}, ELaunchMode::PrintVersion},
        {{"--window", "--version"}, ELaunchMode::PrintVersion},
        {{"--fenster"}, ELaunchMode::UsageError},
        {{"-x", "/v"}, ELaunchMode::UsageError},
        {{"--data"}, ELaunchMode::UsageError},
        {{"--data="}, ELaunchMode::UsageError},
    };
    for (const auto& [args, mode] : cases) {
        EXPECT_EQ(parseCommandLine(args).mode, mode) << ::testing::PrintToString(args);
    }
    EXPECT_TRUE(parseCommandLine({"--window"}).startInWindow);
    EXPECT_FALSE(parseCommandLine({}).startInWindow);
    EXPECT_EQ(parseCommandLine({"--fenster"}).badOption, "--fenster");
    EXPECT_EQ(parseCommandLine({"--data", "/opt/spiel"}).dataFolder, "/opt/spiel");
    EXPECT_EQ(parseCommandLine({"--data=/opt/spiel", "--window"}).dataFolder, "/opt/spiel");
    EXPECT_EQ(parseCommandLine({}).dataFolder, "");

    // The help names the window option and the logs as a session writes them (messages in
    // error_log.txt, log.txt only for missing animation pictures), and lists the data places in
    // the order they are tried.
    const std::string help = usageText("minnespiegel");
    for (const char* named : {"--window", "error_log.txt", "Farbtiefe", "\"spiegel started\"",
                              "Nur wenn Bilder einer Animation fehlen, entsteht auch log.txt"}) {
        EXPECT_NE(help.find(named), std::string::npos) << named;
    }
    std::size_t at = 0;
    for (const char* place : {"--data ORDNER, wenn", "aktuellen Ordner;", "MINNESPIEGEL_DATA", "../share/minnespiegel",
                              "festgelegten Datenordner", "XDG_STATE_HOME", "XDG_CONFIG_HOME"}) {
        at = help.find(place, at);
        ASSERT_NE(at, std::string::npos) << place;
    }
}
