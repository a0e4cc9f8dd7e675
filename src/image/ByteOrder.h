#pragma once
// Reading the decoders' header fields; callers check the bounds first.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

namespace image_bytes {

// Words in the machine's own order at any address, for the pixel loops.
inline std::uint32_t load32(const std::uint8_t* p)
{
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

inline void store32(std::uint8_t* p, std::uint32_t v)
{
    std::memcpy(p, &v, 4);
}

inline std::uint16_t le16(std::span<const std::uint8_t> d, std::size_t at)
{
    return std::uint16_t(d[at] | d[at + 1] << 8);
}

inline std::uint32_t le32(std::span<const std::uint8_t> d, std::size_t at)
{
    return std::uint32_t(d[at]) | std::uint32_t(d[at + 1]) << 8 | std::uint32_t(d[at + 2]) << 16 |
           std::uint32_t(d[at + 3]) << 24;
}

inline std::uint16_t be16(std::span<const std::uint8_t> d, std::size_t at)
{
    return std::uint16_t(d[at] << 8 | d[at + 1]);
}

inline std::uint32_t be32(std::span<const std::uint8_t> d, std::size_t at)
{
    return std::uint32_t(d[at]) << 24 | std::uint32_t(d[at + 1]) << 16 | std::uint32_t(d[at + 2]) << 8 |
           std::uint32_t(d[at + 3]);
}

// True when `count` bytes from `offset` lie inside data of `size` bytes (no overflow).
inline bool inside(std::uint64_t size, std::uint64_t offset, std::uint64_t count)
{
    return offset <= size && count <= size - offset;
}

inline std::string sideReason(const char* format)
{
    return std::string(format) + ": picture larger than 16384 pixels on a side";
}

} // namespace image_bytes
