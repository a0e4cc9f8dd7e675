#pragma once
#include <optional>
#include <string>

#include "settings/IRegistryFile.h"

// The registry file on a POSIX file system. Writers take an exclusive lock on a lock file
// beside it, write a temporary file in the same folder, flush it to disk and rename it over
// the old file; readers need no lock, as a rename is seen whole or not at all.
class CPosixRegistryFile final : public IRegistryFile {
public:
    // An empty path stands for a registry that cannot be found: reads see nothing,
    // writes are refused.
    explicit CPosixRegistryFile(std::string path);

    std::uint32_t read(std::string& text) override;
    std::uint32_t update(const Edit& edit) override;

    const std::string& path() const { return path_; }

private:
    std::uint32_t writeReplacing(const std::string& text);

    std::string path_;
};

// $XDG_CONFIG_HOME/minnespiegel/registry.reg, or ~/.config/... when that variable is unset,
// empty or not an absolute path; nothing when no home folder can be found either.
std::optional<std::string> userRegistryPath();
