#include "platform/sdl/XdgBrowser.h"

#include <chrono>
#include <csignal>
#include <spawn.h>
#include <string>
#include <system_error>
#include <thread>
#include <sys/wait.h>

extern char** environ;

namespace {

// Long enough for a launcher to find there is nothing to start, short enough not to be felt.
constexpr std::chrono::milliseconds kQuickFailure{300};

// The child starts with every signal at its default and none blocked, whatever we changed.
struct SSpawnAttributes {
    SSpawnAttributes()
    {
        posix_spawnattr_init(&attributes);
        sigset_t all;
        sigfillset(&all);
        sigset_t none;
        sigemptyset(&none);
        posix_spawnattr_setsigdefault(&attributes, &all);
        posix_spawnattr_setsigmask(&attributes, &none);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    }
    ~SSpawnAttributes() { posix_spawnattr_destroy(&attributes); }
    SSpawnAttributes(const SSpawnAttributes&) = delete;
    SSpawnAttributes& operator=(const SSpawnAttributes&) = delete;

    posix_spawnattr_t attributes;
};

} // namespace

CXdgBrowser::~CXdgBrowser()
{
    reapFinished();
}

SLaunchResult CXdgBrowser::openAddress(const std::string& address)
{
    reapFinished();
    std::string program = "xdg-open";
    std::string argument = address;
    char* argv[] = {program.data(), argument.data(), nullptr};
    SSpawnAttributes spawn;
    pid_t child = 0;
    if (const int error = posix_spawnp(&child, program.c_str(), nullptr, &spawn.attributes, argv, environ)) {
        return {false, program + ": " + std::generic_category().message(error)};
    }
    return awaitQuickFailure(child);
}

// xdg-open without any browser to hand the address to ends at once with a failure; one that
// found a browser ends successfully or goes on running with it.
SLaunchResult CXdgBrowser::awaitQuickFailure(pid_t child)
{
    const auto deadline = std::chrono::steady_clock::now() + kQuickFailure;
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        const pid_t ended = waitpid(child, &status, WNOHANG);
        if (ended == child) {
            if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
                return {};
            }
            return {false, WIFEXITED(status) ? "xdg-open ended with status " + std::to_string(WEXITSTATUS(status))
                                             : std::string("xdg-open was killed")};
        }
        if (ended != 0) {
            return {}; // reaped by the system already (SIGCHLD ignored): it did start
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    children_.push_back(child);
    return {};
}

void CXdgBrowser::reapFinished()
{
    std::erase_if(children_, [](pid_t child) {
        int status = 0;
        return waitpid(child, &status, WNOHANG) != 0;
    });
}
