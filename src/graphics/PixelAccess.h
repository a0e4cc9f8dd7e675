#pragma once
#include <cstdint>

// Reading and writing one pixel of 1 to 4 bytes, low byte first, at any address.
namespace PixelAccess {

inline std::uint32_t load(const std::uint8_t* at, std::int32_t bytes)
{
    switch (bytes) {
    case 1: return at[0];
    case 2: return static_cast<std::uint32_t>(at[0] | (at[1] << 8));
    case 3: return static_cast<std::uint32_t>(at[0] | (at[1] << 8) | (at[2] << 16));
    default:
        return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
               (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
    }
}

inline void store(std::uint8_t* at, std::int32_t bytes, std::uint32_t value)
{
    switch (bytes) {
    case 1: at[0] = static_cast<std::uint8_t>(value); break;
    case 2:
        at[0] = static_cast<std::uint8_t>(value);
        at[1] = static_cast<std::uint8_t>(value >> 8);
        break;
    case 3:
        at[0] = static_cast<std::uint8_t>(value);
        at[1] = static_cast<std::uint8_t>(value >> 8);
        at[2] = static_cast<std::uint8_t>(value >> 16);
        break;
    default:
        at[0] = static_cast<std::uint8_t>(value);
        at[1] = static_cast<std::uint8_t>(value >> 8);
        at[2] = static_cast<std::uint8_t>(value >> 16);
        at[3] = static_cast<std::uint8_t>(value >> 24);
        break;
    }
}

} // namespace PixelAccess
