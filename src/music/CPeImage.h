#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// Where a resource's bytes lie in a module: what a resource lookup finds.
struct SResourceLocation {
    std::uint32_t dataRva = 0; // relative to the module's load address
    std::uint32_t size = 0;
    std::uintptr_t systemHandle = 0; // what the system's own lookup found, where it has one
};

// A Windows module (PE file) held in memory, as far as reading its resources needs: the
// headers, the section table and the resource directory. Every offset and size read from the
// file is checked against the file before it is used, so a damaged file gives "not found",
// never a read outside the bytes.
class CPeImage {
public:
    // Nothing when the bytes are not a module the loader would accept: no "MZ" header, no
    // "PE" signature, an unknown optional header, or a section table or section data that
    // does not lie within the file.
    static std::optional<CPeImage> parse(std::vector<std::uint8_t> bytes);

    // Finds a resource by name and type, both compared without regard to case; "#12" stands
    // for the number 12, as the Windows resource functions take it. The first language wins.
    std::optional<SResourceLocation> find(std::string_view name, std::string_view type) const;
    // The resource's bytes within the file, or nothing when they do not lie within it.
    std::optional<std::span<const std::uint8_t>> bytesOf(const SResourceLocation& location) const;

private:
    struct SSection {
        std::uint32_t virtualAddress = 0;
        std::uint32_t fileBackedSize = 0; // bytes of the section that come from the file
        std::uint32_t fileOffset = 0;
    };

    CPeImage() = default;
    // The file bytes from `rva` to the end of its section's data, or nothing.
    std::optional<std::span<const std::uint8_t>> tailFrom(std::uint32_t rva) const;

    std::vector<std::uint8_t> bytes_;
    std::vector<SSection> sections_;
    std::uint32_t resourceRva_ = 0;
};
