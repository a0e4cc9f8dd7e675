#pragma once
#include "graphics/CSurfaceMemory.h"

#include <cstdint>
#include <vector>

// For each row of a keyed picture, the runs of pixels that are not the key, with a copy of
// their pixels packed one after the other. Keyed copies of a picture that does not change then
// copy whole runs instead of testing every pixel, reading only the pixels they draw: most
// pictures drawn keyed are figures on a key-coloured ground, with long runs of either.
class CKeySpans {
public:
    struct SSpan {
        std::int32_t begin;
        std::int32_t end;
        // Where the run's pixels start in pixels().
        std::size_t offset;
    };

    // A pixel is the key when its bits under `keyBits` equal the key's (by default its colour
    // bits, as keyed copies compare; the blend compares whole 16-bit pixels).
    CKeySpans(const CSurfaceMemory& memory, std::uint32_t key);
    CKeySpans(const CSurfaceMemory& memory, std::uint32_t key, std::uint32_t keyBits);

    std::uint32_t key() const { return key_; }
    std::uint32_t keyBits() const { return keyBits_; }
    const SSpan* rowBegin(std::int32_t y) const { return spans_.data() + rowStart_[static_cast<std::size_t>(y)]; }
    const SSpan* rowEnd(std::int32_t y) const { return spans_.data() + rowStart_[static_cast<std::size_t>(y) + 1]; }
    const std::uint8_t* pixels() const { return pixels_.data(); }

private:
    std::uint32_t key_;
    std::uint32_t keyBits_;
    std::vector<std::uint32_t> rowStart_;
    std::vector<SSpan> spans_;
    std::vector<std::uint8_t> pixels_;
};
