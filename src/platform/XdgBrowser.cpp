#include "platform/XdgBrowser.h"

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

// The child starts with every signal at its default and none blocked, whatever we changed.
struct CSpawnAttributes {
    CSpawnAttributes()
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
    ~CSpawnAttributes() { posix_spawnattr_destroy(&attributes); }
    CSpawnAttributes(const CSpawnAttributes&) = delete;
    CSpawnAttributes& operator=(const CSpawnAttributes&) = delete;

    posix_spawnattr_t attributes;
};

} // namespace

CXdgBrowser::~CXdgBrowser()
{
    reapFinished();
}

void CXdgBrowser::openAddress(const std::string& address)
{
    reapFinished();
    std::string program = "xdg-open";
    std::string argument = address;
    char* argv[] = {program.data(), argument.data(), nullptr};
    CSpawnAttributes spawn;
    pid_t child = 0;
    // A browser that cannot be started is not reported; the program closes either way.
    if (posix_spawnp(&child, program.c_str(), nullptr, &spawn.attributes, argv, environ) == 0) {
        children_.push_back(child);
    }
}

void CXdgBrowser::reapFinished()
{
    std::erase_if(children_, [](pid_t child) {
        int status = 0;
        return waitpid(child, &status, WNOHANG) != 0;
    });
}
