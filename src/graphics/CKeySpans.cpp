#include "graphics/CKeySpans.h"

#include "graphics/PixelAccess.h"

#include <cstdint>
#include <new>
#include <utility>

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

void CKeySpans::splitForBlend(const CSurfaceMemory& memory)
{
    if (pixelBytes(memory.format()) != 2 || splitForBlend()) {
        return;
    }
    const bool red565 = memory.format() == ESurfaceFormat::Rgb565;
    // Whole 64-byte steps per line, with room for the padding on both sides.
    const std::size_t line = (static_cast<std::size_t>(memory.width()) + 2 * kPadLanes + 31) / 32 * 32 + 32;
    const std::int32_t words = (memory.width() + 31) / 32;
    std::vector<std::uint16_t> lanes;
    std::vector<std::uint32_t> drawn;
    try {
        lanes.assign(2 * line * static_cast<std::size_t>(memory.height()) + 32, 0);
        drawn.assign(static_cast<std::size_t>(words) * static_cast<std::size_t>(memory.height()), 0);
    } catch (const std::bad_alloc&) {
        return;
    }
    const std::uint32_t maskedKey = key_ & keyBits_;
    // The first line's column 0 on a 64-byte boundary, after the padding.
    const auto address = reinterpret_cast<std::uintptr_t>(lanes.data() + kPadLanes);
    const std::size_t start = kPadLanes + (64 - address % 64) % 64 / 2;
    for (std::int32_t y = 0; y < memory.height(); ++y) {
        std::uint16_t* blueRed = lanes.data() + start + static_cast<std::size_t>(y) * 2 * line;
        std::uint16_t* green = blueRed + line;
        for (std::int32_t x = 0; x < memory.width(); ++x) {
            const std::uint32_t pixel = PixelAccess::load(memory.row(y) + 2 * x, 2);
            const std::uint32_t red = red565 ? pixel >> 11 : (pixel >> 10) & 0x1F;
            blueRed[x] = static_cast<std::uint16_t>((pixel & 0x1F) << 8 | red);
            green[x] = static_cast<std::uint16_t>(((pixel >> 5) & (red565 ? 0x3F : 0x1F)) << 8);
            if ((pixel & keyBits_) != maskedKey) {
                drawn[static_cast<std::size_t>(y) * static_cast<std::size_t>(words) + static_cast<std::size_t>(x / 32)] |=
                    1u << (x % 32);
            }
        }
    }
    drawnBits_ = std::move(drawn);
    drawnWordsPerRow_ = words;
    blendLanes_ = std::move(lanes);
    blendLineLanes_ = line;
    blendStart_ = start;
}
