#include "platform/sdl/PosixRegistryFile.h"

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "settings/RegistryTypes.h"

namespace {

// Far more than any registry of this program; a bigger file is not read into memory.
constexpr off_t kMaxFileSize = 16 * 1024 * 1024;

class CFileDescriptor {
public:
    explicit CFileDescriptor(int fd) : fd_(fd) {}
    ~CFileDescriptor()
    {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now, so that a failing close (a late write error) can be seen.
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

std::uint32_t errorFromErrno(int error)
{
    switch (error) {
    case ENOMEM: return RegError::NotEnoughMemory;
    case ENOSPC:
    case EDQUOT: return RegError::DiskFull;
    default: return RegError::AccessDenied;
    }
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos || slash == 0 ? "/" : path.substr(0, slash);
}

// mkdir -p, private to the user; an existing folder is fine, anything else in the way is not.
std::uint32_t makeFolders(const std::string& folder)
{
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            return errorFromErrno(errno);
        }
        if (slash == std::string::npos) {
            break;
        }
    }
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return RegError::AccessDenied;
    }
    return RegError::Success;
}

std::uint32_t readAll(int fd, std::string& text)
{
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return errorFromErrno(errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return RegError::AccessDenied;
    }
    if (info.st_size > kMaxFileSize) {
        return RegError::NotEnoughMemory;
    }
    text.clear();
    char buffer[16384];
    while (true) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return errorFromErrno(errno);
        }
        if (got == 0 || text.size() + static_cast<std::size_t>(got) > kMaxFileSize) {
            return got == 0 ? RegError::Success : RegError::NotEnoughMemory;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

bool writeAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = ::write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

bool lockExclusively(int fd)
{
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

std::optional<std::string> absoluteEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    if (value && value[0] == '/') {
        return std::string(value);
    }
    return std::nullopt;
}

std::optional<std::string> homeFolder()
{
    if (auto home = absoluteEnvironment("HOME")) {
        return home;
    }
    const struct passwd* user = ::getpwuid(::getuid());
    if (user && user->pw_dir && user->pw_dir[0] == '/') {
        return std::string(user->pw_dir);
    }
    return std::nullopt;
}

} // namespace

CPosixRegistryFile::CPosixRegistryFile(std::string path) : path_(std::move(path)) {}

std::uint32_t CPosixRegistryFile::read(std::string& text)
{
    text.clear();
    if (path_.empty()) {
        return RegError::Success;
    }
    CFileDescriptor file(::open(path_.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid()) {
        return (errno == ENOENT || errno == ENOTDIR) ? RegError::Success : errorFromErrno(errno);
    }
    return readAll(file.get(), text);
}

std::uint32_t CPosixRegistryFile::update(const Edit& edit)
{
    if (path_.empty()) {
        return RegError::AccessDenied;
    }
    if (const std::uint32_t result = makeFolders(folderOf(path_))) {
        return result;
    }
    // The lock lives on a file of its own: the registry file itself is replaced on every save.
    const std::string lockPath = path_ + ".lock";
    CFileDescriptor lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (!lock.valid() || !lockExclusively(lock.get())) {
        return errorFromErrno(errno);
    }
    std::string text;
    if (const std::uint32_t result = read(text)) {
        return result;
    }
    const std::string before = text;
    if (const std::uint32_t result = edit(text)) {
        return result;
    }
    return text == before ? RegError::Success : writeReplacing(text);
}

std::uint32_t CPosixRegistryFile::writeReplacing(const std::string& text)
{
    // Only the holder of the lock writes the temporary file, so one fixed name will do;
    // one left behind by a writer that was killed is simply written over.
    const std::string temporary = path_ + ".tmp";
    CFileDescriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    if (!file.valid()) {
        return errorFromErrno(errno);
    }
    if (!writeAll(file.get(), text) || ::fsync(file.get()) != 0 || !file.close() ||
        ::rename(temporary.c_str(), path_.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return errorFromErrno(error);
    }
    // Make the rename itself durable.
    CFileDescriptor folder(::open(folderOf(path_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid()) {
        ::fsync(folder.get());
    }
    return RegError::Success;
}

std::optional<std::string> userRegistryPath()
{
    std::optional<std::string> config = absoluteEnvironment("XDG_CONFIG_HOME");
    if (!config) {
        const std::optional<std::string> home = homeFolder();
        if (!home) {
            return std::nullopt;
        }
        config = *home + "/.config";
    }
    return *config + "/minnespiegel/registry.reg";
}
