#pragma once
#include "graphics/CSurfaceMemory.h"
#include "graphics/Rect.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

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

// Copies a run of any length in 8-byte words, the last word overlapping the one before, or
// byte by byte when it is shorter than 4. Without vector registers (the browser build) this
// copies every run up to memcpy's length.
inline void copyShortRun(std::uint8_t* to, const std::uint8_t* from, std::size_t count)
{
    if (count >= 8) {
        std::uint64_t word;
        for (std::size_t done = 0; done + 8 < count; done += 8) {
            std::memcpy(&word, from + done, 8);
            std::memcpy(to + done, &word, 8);
        }
        std::memcpy(&word, from + count - 8, 8);
        std::memcpy(to + count - 8, &word, 8);
    } else if (count >= 4) {
        std::uint32_t head;
        std::uint32_t tail;
        std::memcpy(&head, from, 4);
        std::memcpy(&tail, from + count - 4, 4);
        std::memcpy(to, &head, 4);
        std::memcpy(to + count - 4, &tail, 4);
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            to[i] = from[i];
        }
    }
}

} // namespace BlitterRows
