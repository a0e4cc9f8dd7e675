#include "graphics/CKeySpans.h"

#include "graphics/PixelAccess.h"

CKeySpans::CKeySpans(const CSurfaceMemory& memory, std::uint32_t key)
    : CKeySpans(memory, key, colorBits(memory.format()))
{
}

CKeySpans::CKeySpans(const CSurfaceMemory& memory, std::uint32_t key, std::uint32_t keyBits)
    : key_(key), keyBits_(keyBits)
{
    const std::int32_t bytes = pixelBytes(memory.format());
    const std::uint32_t bits = keyBits;
    const std::uint32_t maskedKey = key & bits;
    rowStart_.reserve(static_cast<std::size_t>(memory.height()) + 1);
    for (std::int32_t y = 0; y < memory.height(); ++y) {
        rowStart_.push_back(static_cast<std::uint32_t>(spans_.size()));
        const std::uint8_t* row = memory.row(y);
        std::int32_t x = 0;
        while (x < memory.width()) {
            while (x < memory.width() && (PixelAccess::load(row + x * bytes, bytes) & bits) == maskedKey) {
                ++x;
            }
            const std::int32_t begin = x;
            while (x < memory.width() && (PixelAccess::load(row + x * bytes, bytes) & bits) != maskedKey) {
                ++x;
            }
            if (begin < x) {
                spans_.push_back(SSpan{begin, x, pixels_.size()});
                pixels_.insert(pixels_.end(), row + begin * bytes, row + x * bytes);
            }
        }
    }
    rowStart_.push_back(static_cast<std::uint32_t>(spans_.size()));
}
