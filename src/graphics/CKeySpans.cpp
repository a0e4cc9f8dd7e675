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

namespace {

// How far `data` is from the next multiple of `alignment` bytes, in elements.
template <typename T>
std::size_t toAlignment(const std::vector<T>& data, std::size_t alignment)
{
    return (alignment - reinterpret_cast<std::uintptr_t>(data.data()) % alignment) % alignment / sizeof(T);
}

} // namespace

void CKeySpans::splitForBlend(const CSurfaceMemory& memory, std::int32_t phase)
{
    const std::int32_t bytes = pixelBytes(memory.format());
    if (bytes != 2 && bytes != 4) {
        return;
    }
    const std::int32_t chunkPixels = 64 / bytes;
    phase = (phase % chunkPixels + chunkPixels) % chunkPixels;
    if (splitForBlend() && phase == blendPhase_) {
        return;
    }
    try {
        if (bytes == 2) {
            splitSixteenBits(memory, phase);
        } else {
            splitThirtyTwoBits(memory, phase);
        }
    } catch (const std::bad_alloc&) {
        // The blend then walks the runs.
    }
}

void CKeySpans::splitSixteenBits(const CSurfaceMemory& memory, std::int32_t phase)
{
    const bool red565 = memory.format() == ESurfaceFormat::Rgb565;
    const std::int32_t chunks = (memory.width() + phase + 31) / 32;
    const std::size_t line = static_cast<std::size_t>(chunks) * 32;
    const auto height = static_cast<std::size_t>(memory.height());
    std::vector<std::uint16_t> lanes(line * height + 32, 0);
    std::vector<std::uint8_t> greens(line * height + 32, 0);
    std::vector<std::uint32_t> drawn(static_cast<std::size_t>(chunks) * height, 0);
    const std::uint32_t maskedKey = key_ & keyBits_;
    const std::size_t start = toAlignment(lanes, 64);
    const std::size_t greenStart = toAlignment(greens, 32);
    for (std::int32_t y = 0; y < memory.height(); ++y) {
        const std::size_t rowStart = static_cast<std::size_t>(y) * line + static_cast<std::size_t>(phase);
        std::uint16_t* blueRed = lanes.data() + start + rowStart;
        std::uint8_t* green = greens.data() + greenStart + rowStart;
        std::uint32_t* bits = drawn.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(chunks);
        for (std::int32_t x = 0; x < memory.width(); ++x) {
            const std::uint32_t pixel = PixelAccess::load(memory.row(y) + 2 * x, 2);
            const std::uint32_t red = red565 ? pixel >> 11 : (pixel >> 10) & 0x1F;
            blueRed[x] = static_cast<std::uint16_t>((pixel & 0x1F) << 8 | red);
            green[x] = static_cast<std::uint8_t>((pixel >> 5) & (red565 ? 0x3F : 0x1F));
            if ((pixel & keyBits_) != maskedKey) {
                bits[(x + phase) / 32] |= 1u << ((x + phase) % 32);
            }
        }
    }
    drawnBits_ = std::move(drawn);
    blendLanes_ = std::move(lanes);
    blendGreen_ = std::move(greens);
    blendChunks_ = chunks;
    blendStart_ = start;
    greenStart_ = greenStart;
    blendPhase_ = phase;
}

void CKeySpans::splitThirtyTwoBits(const CSurfaceMemory& memory, std::int32_t phase)
{
    const std::int32_t chunks = (memory.width() + phase + 15) / 16;
    const std::size_t line = static_cast<std::size_t>(chunks) * 16;
    const auto height = static_cast<std::size_t>(memory.height());
    std::vector<std::uint32_t> pixels(line * height + 16, 0);
    std::vector<std::uint32_t> drawn(static_cast<std::size_t>(chunks) * height, 0);
    const std::uint32_t maskedKey = key_ & keyBits_;
    const std::size_t start = toAlignment(pixels, 64);
    for (std::int32_t y = 0; y < memory.height(); ++y) {
        std::uint32_t* row = pixels.data() + start + static_cast<std::size_t>(y) * line + static_cast<std::size_t>(phase);
        std::uint32_t* bits = drawn.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(chunks);
        for (std::int32_t x = 0; x < memory.width(); ++x) {
            row[x] = PixelAccess::load(memory.row(y) + 4 * x, 4);
            if ((row[x] & keyBits_) != maskedKey) {
                bits[(x + phase) / 16] |= 1u << ((x + phase) % 16);
            }
        }
    }
    drawnBits_ = std::move(drawn);
    blendPixels_ = std::move(pixels);
    blendChunks_ = chunks;
    pixelsStart_ = start;
    blendPhase_ = phase;
}
