#pragma once
#include "graphics/PixelFormat.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// The pixels of one surface in plain memory: what a platform surface is on this system.
// Rows start on 4-byte boundaries. `generation` is the display's loss count when the memory
// was made or last restored; when the count moves on, the surface is lost.
class CSurfaceMemory {
public:
    // Largest width or height accepted; keeps every size computation far from overflow.
    static constexpr std::int32_t kMaxSide = 16384;

    // Zero-filled memory; throws std::bad_alloc when there is none. Sizes must be 1..kMaxSide.
    CSurfaceMemory(std::int32_t width, std::int32_t height, ESurfaceFormat format, std::uint32_t generation);

    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    std::int32_t pitch() const { return pitch_; }
    ESurfaceFormat format() const { return format_; }
    std::uint8_t* pixels() { return bytes_.data(); }
    const std::uint8_t* pixels() const { return bytes_.data(); }
    std::uint8_t* row(std::int32_t y) { return bytes_.data() + static_cast<std::ptrdiff_t>(y) * pitch_; }
    const std::uint8_t* row(std::int32_t y) const { return bytes_.data() + static_cast<std::ptrdiff_t>(y) * pitch_; }

    std::uint32_t generation() const { return generation_; }
    // The platform gave the memory back: the picture is gone, the size and format stay.
    void restored(std::uint32_t generation);

    static bool validSize(std::int32_t width, std::int32_t height);

private:
    std::int32_t width_;
    std::int32_t height_;
    std::int32_t pitch_;
    ESurfaceFormat format_;
    std::uint32_t generation_;
    std::vector<std::uint8_t> bytes_;
};
