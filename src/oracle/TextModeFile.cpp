#include "oracle/TextModeFile.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace {

constexpr char kEndOfFile = '\x1A';

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
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {{}, EKnowledgeFile::Unreadable};
    }
    return {std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
            EKnowledgeFile::Read};
}
