#include "platform/sdl/XdgBrowser.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A PATH holding only a folder of our own, where a stand-in xdg-open may be put.
class XdgBrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* path = std::getenv("PATH");
        savedPath = path ? path : "";
        ::setenv("PATH", folder.c_str(), 1);
    }

    void TearDown() override
    {
        ::setenv("PATH", savedPath.c_str(), 1);
    }

    // An xdg-open that notes its argument, then runs `then` (a line of shell).
    void standIn(const std::string& then) const
    {
        const fs::path script = folder / "xdg-open";
        std::ofstream(script) << "#!/bin/sh\nprintf '%s' \"$1\" > '" << (folder / "address.txt").string() << "'\n"
                              << then << "\n";
        fs::permissions(script, fs::perms::owner_all);
    }

    std::string address() const { return CTempFolder::read(folder / "address.txt"); }

    CTempFolder temp{"browser"};
    const fs::path& folder = temp.path();
    std::string savedPath;
};

TEST_F(XdgBrowserTest, NoLauncherOnTheSystemIsAFailureWithTheReason)
{
    CXdgBrowser browser;
    const SLaunchResult result = browser.openAddress("https://www.minnespiegel.example/");
    EXPECT_FALSE(result.started);
    EXPECT_EQ(result.failure, "xdg-open: No such file or directory");
}

TEST_F(XdgBrowserTest, ALauncherThatFindsNoBrowserIsAFailure)
{
    standIn("exit 3");
    CXdgBrowser browser;
    const SLaunchResult result = browser.openAddress("https://www.minnespiegel.example/");
    EXPECT_FALSE(result.started);
    EXPECT_EQ(result.failure, "xdg-open ended with status 3");
    EXPECT_EQ(address(), "https://www.minnespiegel.example/");
}

TEST_F(XdgBrowserTest, ALauncherThatSucceedsOrKeepsRunningHasStartedTheBrowser)
{
    standIn("exit 0");
    CXdgBrowser browser;
    EXPECT_TRUE(browser.openAddress("https://a.example/?q=1 2").started);
    EXPECT_EQ(address(), "https://a.example/?q=1 2") << "the address reaches it as one argument";

    // One that stays with its browser is not waited for.
    standIn("PATH=/usr/bin:/bin exec sleep 2");
    const auto before = std::chrono::steady_clock::now();
    EXPECT_TRUE(browser.openAddress("https://b.example/").started);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(2));
}

} // namespace
