#include "common/ProgramFile.h"

#include "common/Cp1252.h"

#include <system_error>
#include <type_traits>

namespace fs = std::filesystem;

namespace {

// Windows keeps paths as UTF-16 and its C library's narrow calls read names in the ANSI code
// page; the standard library's own narrow form of such a path is UTF-8, which those calls
// would misread for every byte above 127.
constexpr bool kWidePaths = std::is_same_v<fs::path::value_type, wchar_t>;

} // namespace

std::string narrowFileName(const fs::path& path)
{
    if constexpr (kWidePaths) {
        const std::u8string utf8 = path.u8string();
        return utf8ToCp1252(std::string(utf8.begin(), utf8.end()), '?');
    } else {
        return path.string();
    }
}

fs::path pathFromNarrowName(const std::string& name)
{
    if constexpr (kWidePaths) {
        const std::string utf8 = cp1252ToUtf8(name);
        return fs::path(std::u8string(utf8.begin(), utf8.end()));
    } else {
        return fs::path(name);
    }
}

FilePtr openProgramFile(const fs::path& path, const char* mode)
{
    return FilePtr(std::fopen(narrowFileName(path).c_str(), mode));
}

std::optional<std::string> readProgramFile(const fs::path& path, std::uintmax_t limit)
{
    // A folder, a pipe or a device would read as nothing useful or never end.
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        return std::nullopt;
    }
    const FilePtr file = openProgramFile(path, "rb");
    if (!file) {
        return std::nullopt;
    }
    // Asked of the open file, so the answer is about the file read and not a name's later one.
    if (std::fseek(file.get(), 0, SEEK_END) != 0) {
        return std::nullopt;
    }
    const long size = std::ftell(file.get());
    if (size < 0 || std::uintmax_t(size) > limit || std::fseek(file.get(), 0, SEEK_SET) != 0) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        return std::nullopt;
    }
    return bytes;
}
