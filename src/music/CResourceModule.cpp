#include "music/CResourceModule.h"

#include "common/ProgramFile.h"

#include <string>

namespace {

// Far more than any package of ours; a bigger file is not read into memory at all.
constexpr std::uintmax_t kLargestModule = 256u * 1024u * 1024u;

std::optional<std::vector<std::uint8_t>> readWholeFile(const std::filesystem::path& path)
{
    const std::optional<std::string> bytes = readProgramFile(path, kLargestModule);
    if (!bytes) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(bytes->begin(), bytes->end());
}

} // namespace

class CResourceModule::CLoaded {
public:
    explicit CLoaded(CPeImage parsed) : image(std::move(parsed)) {}
    CPeImage image;
};

CResourceModule::CResourceModule() = default;
CResourceModule::CResourceModule(std::filesystem::path name) : name_(std::move(name)) {}
CResourceModule::~CResourceModule() = default;

bool CResourceModule::Load()
{
    if (loaded_) {
        return true;
    }
    std::optional<std::vector<std::uint8_t>> bytes = readWholeFile(name_);
    std::optional<CPeImage> image = bytes ? CPeImage::parse(std::move(*bytes)) : std::nullopt;
    if (image) {
        loaded_ = std::make_unique<CLoaded>(std::move(*image));
    }
    return loaded_ != nullptr;
}

void CResourceModule::Free()
{
    loaded_.reset();
}

std::optional<SResourceLocation> CResourceModule::Find(std::string_view name, std::string_view type) const
{
    return loaded_ ? loaded_->image.find(name, type) : std::nullopt;
}

std::optional<std::span<const std::uint8_t>> CResourceModule::Data(const SResourceLocation& location) const
{
    return loaded_ ? loaded_->image.bytesOf(location) : std::nullopt;
}
