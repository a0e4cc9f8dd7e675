#include "music/CPeImage.h"

#include "common/Cp1252.h"

#include <charconv>

namespace {

constexpr std::size_t kDosHeaderSize = 0x40;
constexpr std::size_t kPeOffsetField = 0x3C;
constexpr std::size_t kCoffHeaderSize = 20;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::uint32_t kResourceDirectoryIndex = 2;
constexpr std::uint32_t kHighBit = 0x80000000u;
constexpr std::size_t kDirectoryHeaderSize = 16;
constexpr std::size_t kDirectoryEntrySize = 8;
constexpr std::size_t kDataEntrySize = 16;

// Little-endian reads that fail instead of reading past the end.
std::optional<std::uint16_t> read16(std::span<const std::uint8_t> bytes, std::uint64_t at)
{
    if (at + 2 > bytes.size()) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::optional<std::uint32_t> read32(std::span<const std::uint8_t> bytes, std::uint64_t at)
{
    const auto low = read16(bytes, at);
    const auto high = read16(bytes, at + 2);
    if (!low || !high) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*low | (static_cast<std::uint32_t>(*high) << 16));
}

// Upper case for the letters of Windows-1252, which is all a resource name from this program
// can hold.
char32_t upperCase(char32_t c)
{
    if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return c - 0x20;
    }
    switch (c) {
    case 0xFF: return 0x178;
    case 0x161: return 0x160;
    case 0x153: return 0x152;
    case 0x17E: return 0x17D;
    default: return c;
    }
}

// A key of the resource directory as the caller gives it: a name, or "#n" for a number.
struct SResourceKey {
    std::string_view name;
    std::optional<std::uint16_t> number;
};

SResourceKey keyOf(std::string_view text)
{
    if (text.size() > 1 && text.front() == '#') {
        unsigned value = 0;
        const char* end = text.data() + text.size();
        const auto [stop, error] = std::from_chars(text.data() + 1, end, value);
        if (error == std::errc{} && stop == end && value <= 0xFFFF) {
            return {text, static_cast<std::uint16_t>(value)};
        }
    }
    return {text, std::nullopt};
}

// Reads the resource directory tree; every offset in it is relative to its start.
class CResourceDirectory {
public:
    explicit CResourceDirectory(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    // The offset of the subdirectory that `key` names within the directory at `offset`.
    std::optional<std::uint32_t> subdirectory(std::uint32_t offset, const SResourceKey& key) const
    {
        const auto count = entryCount(offset);
        for (std::uint32_t i = 0; count && i < *count; ++i) {
            const std::uint64_t entry = offset + kDirectoryHeaderSize + kDirectoryEntrySize * i;
            const auto name = read32(bytes_, entry);
            const auto target = read32(bytes_, entry + 4);
            if (!name || !target) {
                return std::nullopt;
            }
            if (matches(*name, key)) {
                // A key that leads to data instead of a further level is a damaged tree.
                return (*target & kHighBit) ? std::optional(*target & ~kHighBit) : std::nullopt;
            }
        }
        return std::nullopt;
    }

    // The data entry of the first language in the directory at `offset`.
    std::optional<SResourceLocation> firstData(std::uint32_t offset) const
    {
        const auto count = entryCount(offset);
        if (!count || *count == 0) {
            return std::nullopt;
        }
        const auto target = read32(bytes_, offset + kDirectoryHeaderSize + 4);
        if (!target || (*target & kHighBit) || *target + std::uint64_t{kDataEntrySize} > bytes_.size()) {
            return std::nullopt;
        }
        return SResourceLocation{*read32(bytes_, *target), *read32(bytes_, *target + 4)};
    }

private:
    std::optional<std::uint32_t> entryCount(std::uint32_t offset) const
    {
        const auto named = read16(bytes_, offset + 12);
        const auto numbered = read16(bytes_, offset + 14);
        if (!named || !numbered) {
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(*named) + *numbered;
    }

    bool matches(std::uint32_t name, const SResourceKey& key) const
    {
        if (key.number) {
            return (name & kHighBit) == 0 && (name & 0xFFFF) == *key.number;
        }
        return (name & kHighBit) != 0 && nameEquals(name & ~kHighBit, key.name);
    }

    // Names are stored as a 16-bit length and that many UTF-16 units.
    bool nameEquals(std::uint32_t offset, std::string_view wanted) const
    {
        const auto length = read16(bytes_, offset);
        if (!length || *length != wanted.size()) {
            return false;
        }
        for (std::size_t i = 0; i < wanted.size(); ++i) {
            const auto unit = read16(bytes_, offset + 2 + 2 * std::uint64_t{i});
            const char32_t given = cp1252ToUnicode(static_cast<unsigned char>(wanted[i]));
            if (!unit || upperCase(*unit) != upperCase(given)) {
                return false;
            }
        }
        return true;
    }

    std::span<const std::uint8_t> bytes_;
};

} // namespace

std::optional<CPeImage> CPeImage::parse(std::vector<std::uint8_t> bytes)
{
    const std::span<const std::uint8_t> file(bytes);
    if (file.size() < kDosHeaderSize || file[0] != 'M' || file[1] != 'Z') {
        return std::nullopt;
    }
    const std::uint64_t pe = *read32(file, kPeOffsetField);
    const auto signature = read32(file, pe);
    if (!signature || *signature != 0x00004550u) { // "PE\0\0"
        return std::nullopt;
    }
    const std::uint64_t coff = pe + 4;
    const auto sectionCount = read16(file, coff + 2);
    const auto optionalSize = read16(file, coff + 16);
    const std::uint64_t optional = coff + kCoffHeaderSize;
    const auto magic = read16(file, optional);
    if (!sectionCount || !optionalSize || !magic || optional + *optionalSize > file.size()) {
        return std::nullopt;
    }
    if (*magic != kPe32Magic && *magic != kPe32PlusMagic) {
        return std::nullopt;
    }
    const std::uint64_t countField = *magic == kPe32Magic ? 92 : 108;
    const std::uint64_t directories = countField + 4;
    if (*optionalSize < directories) {
        return std::nullopt;
    }
    CPeImage image;
    const std::uint64_t directoryCount =
        std::min<std::uint64_t>(*read32(file, optional + countField), (*optionalSize - directories) / 8);
    if (directoryCount > kResourceDirectoryIndex) {
        image.resourceRva_ = *read32(file, optional + directories + 8 * kResourceDirectoryIndex);
    }
    const std::uint64_t table = optional + *optionalSize;
    if (table + std::uint64_t{kSectionHeaderSize} * *sectionCount > file.size()) {
        return std::nullopt;
    }
    for (std::uint32_t i = 0; i < *sectionCount; ++i) {
        const std::uint64_t header = table + kSectionHeaderSize * i;
        const std::uint32_t virtualSize = *read32(file, header + 8);
        const std::uint32_t rawSize = *read32(file, header + 16);
        const std::uint32_t rawOffset = *read32(file, header + 20);
        if (rawSize != 0 && std::uint64_t{rawOffset} + rawSize > file.size()) {
            return std::nullopt;
        }
        // Past its virtual size a section is not part of the image, whatever the file holds.
        const std::uint32_t backed = virtualSize != 0 ? std::min(virtualSize, rawSize) : rawSize;
        image.sections_.push_back({*read32(file, header + 12), backed, rawOffset});
    }
    image.bytes_ = std::move(bytes);
    return image;
}

std::optional<std::span<const std::uint8_t>> CPeImage::tailFrom(std::uint32_t rva) const
{
    for (const SSection& section : sections_) {
        if (rva >= section.virtualAddress &&
            std::uint64_t{rva} < std::uint64_t{section.virtualAddress} + section.fileBackedSize) {
            const std::uint32_t into = rva - section.virtualAddress;
            return std::span<const std::uint8_t>(bytes_).subspan(section.fileOffset + into,
                                                                 section.fileBackedSize - into);
        }
    }
    return std::nullopt;
}

std::optional<SResourceLocation> CPeImage::find(std::string_view name, std::string_view type) const
{
    if (resourceRva_ == 0) {
        return std::nullopt;
    }
    const auto tree = tailFrom(resourceRva_);
    if (!tree) {
        return std::nullopt;
    }
    const CResourceDirectory directory(*tree);
    const auto types = directory.subdirectory(0, keyOf(type));
    const auto languages = types ? directory.subdirectory(*types, keyOf(name)) : std::nullopt;
    return languages ? directory.firstData(*languages) : std::nullopt;
}

std::optional<std::span<const std::uint8_t>> CPeImage::bytesOf(const SResourceLocation& location) const
{
    if (location.size == 0) {
        // An empty resource has no position to check; it is still a resource.
        return tailFrom(location.dataRva) ? std::optional(std::span<const std::uint8_t>()) : std::nullopt;
    }
    const auto tail = tailFrom(location.dataRva);
    if (!tail || tail->size() < location.size) {
        return std::nullopt;
    }
    return tail->first(location.size);
}
