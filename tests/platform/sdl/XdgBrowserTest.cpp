#include "platform/sdl/XdgBrowser.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace {

// A PATH holding only a folder of our own, where a stand-in xdg-open that notes its argument
// and then runs a line of shell may be put.
class XdgBrowserTest : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("PATH", temp.path().c_str(), 1); }
    void TearDown() override { ::setenv("PATH", savedPath.c_str(), 1); }

    SLaunchResult openWith(const std::string& then, const std::string& address)
    {
        const auto script = temp.write("xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > '" + (temp / "address.txt").string() +
                                                       "'\n" + then + "\n");
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        return CXdgBrowser().openAddress(address);
    }
    std::string address() const { return CTempFolder::read(temp / "address.txt"); }

    CTempFolder temp{"browser"};
    const std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
};

// A launcher that fails with a status, and the address as its one argument, are the home page
// scenarios'; here what they cannot show.
TEST_F(XdgBrowserTest, NoLauncherIsAFailureWithTheReasonAndOneThatKeepsRunningIsNotWaitedFor)
{
    const SLaunchResult none = CXdgBrowser().openAddress("https://www.minnespiegel.example/");
    EXPECT_FALSE(none.started);
    EXPECT_EQ(none.failure, "xdg-open: No such file or directory");
    const auto before = std::chrono::steady_clock::now();
    EXPECT_TRUE(openWith("PATH=/usr/bin:/bin exec sleep 2", "https://b.example/").started);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(2));
    EXPECT_EQ(address(), "https://b.example/");
}

} // namespace
