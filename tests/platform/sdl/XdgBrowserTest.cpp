#include "platform/sdl/XdgBrowser.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace {

// A launcher that fails with a status, and the address as its one argument, are the home page
// scenarios'; here what they cannot show. The PATH holds only a folder of our own, where a
// stand-in xdg-open that notes its argument and then sleeps is put.
TEST(XdgBrowserTest, NoLauncherIsAFailureWithTheReasonAndOneThatKeepsRunningIsNotWaitedFor)
{
    const CTempFolder temp("browser");
    const std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", temp.path().c_str(), 1);
    const SLaunchResult none = CXdgBrowser().openAddress("https://www.minnespiegel.example/");
    EXPECT_FALSE(none.started);
    EXPECT_EQ(none.failure, "xdg-open: No such file or directory");
    const auto script = temp.write("xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > '" + (temp / "address.txt").string() +
                                                   "'\nPATH=/usr/bin:/bin exec sleep 2\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    const auto before = std::chrono::steady_clock::now();
    EXPECT_TRUE(CXdgBrowser().openAddress("https://b.example/").started);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(2));
    EXPECT_EQ(CTempFolder::read(temp / "address.txt"), "https://b.example/");
    ::setenv("PATH", savedPath.c_str(), 1);
}

} // namespace
