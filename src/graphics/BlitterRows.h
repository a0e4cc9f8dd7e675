#pragma once
#include "graphics/CSurfaceMemory.h"
#include "graphics/Rect.h"

#include <cstddef>
#include <cstdint>

// Small helpers the pixel loops share.
namespace BlitterRows {

inline std::int32_t width(const SRect& r) { return r.right - r.left; }
inline std::int32_t height(const SRect& r) { return r.bottom - r.top; }

inline const std::uint8_t* pixelAt(const CSurfaceMemory& memory, std::int32_t x, std::int32_t y)
{
    return memory.row(y) + static_cast<std::ptrdiff_t>(x) * pixelBytes(memory.format());
}

inline std::uint8_t* pixelAt(CSurfaceMemory& memory, std::int32_t x, std::int32_t y)
{
    return memory.row(y) + static_cast<std::ptrdiff_t>(x) * pixelBytes(memory.format());
}

// Whether drawing `source` of `from` at (x, y) of `to` reads pixels it writes.
inline bool overlaps(const CSurfaceMemory& from, const SRect& source, const CSurfaceMemory& to, std::int32_t x,
                     std::int32_t y)
{
    return &from == &to && x < source.right && source.left < x + width(source) && y < source.bottom &&
           source.top < y + height(source);
}

} // namespace BlitterRows
