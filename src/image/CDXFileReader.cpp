#include "image/CDXImage.h"

#include "common/ProgramFile.h"

#include <cerrno>
#include <new>
#include <system_error>

namespace {

// Above any picture the decoders accept (16384 × 16384 × 4 bytes plus headers), so a larger
// file is refused before it is read into memory.
constexpr std::uint64_t kMaxFileBytes = 0x48000000;

} // namespace

int CDXFileReader::Open(const std::filesystem::path& fileName)
{
    Close();
    file_ = openProgramFile(fileName, "rb").release();
    return file_ ? 0 : -1;
}

std::uint64_t CDXFileReader::Size() const
{
    if (!file_)
        return 0;
    const long here = std::ftell(file_);
    if (here < 0 || std::fseek(file_, 0, SEEK_END) != 0)
        return 0;
    const long end = std::ftell(file_);
    std::fseek(file_, here, SEEK_SET);
    return end < 0 ? 0 : std::uint64_t(end);
}

std::size_t CDXFileReader::Read(std::span<std::uint8_t> buffer)
{
    if (!file_)
        return 0;
    return std::fread(buffer.data(), 1, buffer.size(), file_);
}

void CDXFileReader::Close()
{
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
}

std::optional<std::vector<std::uint8_t>> CDXFileReader::ReadAll(const std::filesystem::path& fileName,
                                                                std::string* reason)
{
    const auto refuse = [reason](std::string why) -> std::optional<std::vector<std::uint8_t>> {
        if (reason)
            *reason = std::move(why);
        return std::nullopt;
    };
    CDXFileReader reader;
    if (reader.Open(fileName) != 0)
        return refuse("cannot open the file: " + std::generic_category().message(errno));
    const std::uint64_t size = reader.Size();
    if (size > kMaxFileBytes)
        return refuse("file larger than any picture the loader accepts");
    std::vector<std::uint8_t> bytes;
    try {
        bytes.resize(std::size_t(size));
    } catch (const std::bad_alloc&) {
        return refuse("out of memory for the file");
    }
    if (reader.Read(bytes) != bytes.size())
        return refuse("cannot read the file");
    return bytes;
}
