#include "oracle/TextModeFile.h"

#include "common/ProgramFile.h"

#include <system_error>
#include <utility>

namespace {

constexpr char kEndOfFile = '\x1A';
// Far more than any knowledge file; a bigger one is not read into memory at all.
constexpr std::uintmax_t kLargestKnowledgeFile = 256u * 1024u * 1024u;

} // namespace

std::string decodeTextMode(std::string_view fileBytes)
{
    std::string text;
    text.reserve(fileBytes.size());
    for (std::size_t i = 0; i < fileBytes.size(); ++i) {
        const char c = fileBytes[i];
        if (c == kEndOfFile) {
            break;
        }
        if (c == '\r' && i + 1 < fileBytes.size() && fileBytes[i + 1] == '\n') {
            continue;  // the LF that follows stands for the pair
        }
        text += c;
    }
    return text;
}

SKnowledgeFileBytes readKnowledgeFileBytes(const std::filesystem::path& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return {{}, EKnowledgeFile::Missing};
    }
    // A directory, a pipe or a device would read as nothing useful or never end.
    if (error || status.type() != std::filesystem::file_type::regular) {
        return {{}, EKnowledgeFile::Unreadable};
    }
    std::optional<std::string> bytes = readProgramFile(path, kLargestKnowledgeFile);
    if (!bytes) {
        return {{}, EKnowledgeFile::Unreadable};
    }
    return {std::move(*bytes), EKnowledgeFile::Read};
}
