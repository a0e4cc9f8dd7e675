#pragma once
#include "graphics/CSurfaceMemory.h"

#include <cstdint>
#include <vector>

// For each row of a keyed picture, the runs of pixels that are not the key, with a copy of
// their pixels packed one after the other. Keyed copies of a picture that does not change then
// copy whole runs instead of testing every pixel, reading only the pixels they draw: most
// pictures drawn keyed are figures on a key-coloured ground, with long runs of either.
//
// At 15, 16 and 32 bits the table may also hold the picture laid out for the widest blend,
// which draws 64 bytes at a time under a mask of the pixels that are not the key.
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

    // Splits the picture for the blend, for chunks of 64 bytes (32 pixels at 15 and 16 bits, 16
    // at 32 bits) that start at the columns c with (c + phase) % pixels == 0 (the target decides
    // the phase, so that both are read in aligned steps; another phase splits again). Per row
    // and chunk, 64-byte aligned: at 15 and 16 bits 32 lanes of blue << 8 | red, each channel in
    // its own byte, and 32 bytes of green, 32-byte aligned (a byte a pixel: the blend reads less
    // than with green in lanes, and reading is what it waits for); at 32 bits the 16 pixels as
    // they are. And a word per chunk whose bit i is set when the chunk's pixel i is not the key.
    // Pictures of 24 bits, or no memory for it, keep the table as it is.
    void splitForBlend(const CSurfaceMemory& memory, std::int32_t phase);
    bool splitForBlend() const { return blendChunks_ > 0; }
    std::int32_t blendPhase() const { return blendPhase_; }
    const std::uint32_t* drawnBitsOf(std::int32_t y) const
    {
        return drawnBits_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(blendChunks_);
    }
    // The lanes and the green bytes of the row's first chunk.
    const std::uint16_t* blueRedOf(std::int32_t y) const
    {
        return blendLanes_.data() + blendStart_ + static_cast<std::size_t>(y) * 32 * static_cast<std::size_t>(blendChunks_);
    }
    const std::uint8_t* greenOf(std::int32_t y) const
    {
        return blendGreen_.data() + greenStart_ + static_cast<std::size_t>(y) * 32 * static_cast<std::size_t>(blendChunks_);
    }
    // The 32-bit pixels of the row's first chunk.
    const std::uint32_t* pixelsOf(std::int32_t y) const
    {
        return blendPixels_.data() + pixelsStart_ + static_cast<std::size_t>(y) * 16 * static_cast<std::size_t>(blendChunks_);
    }

private:
    void splitSixteenBits(const CSurfaceMemory& memory, std::int32_t phase);
    void splitThirtyTwoBits(const CSurfaceMemory& memory, std::int32_t phase);
    std::uint32_t key_;
    std::uint32_t keyBits_;
    std::vector<std::uint32_t> rowStart_;
    std::vector<SSpan> spans_;
    std::vector<std::uint8_t> pixels_;
    std::vector<std::uint32_t> drawnBits_;
    std::int32_t blendChunks_ = 0;
    std::size_t blendStart_ = 0;
    std::size_t greenStart_ = 0;
    std::size_t pixelsStart_ = 0;
    std::int32_t blendPhase_ = 0;
    std::vector<std::uint16_t> blendLanes_;
    std::vector<std::uint8_t> blendGreen_;
    std::vector<std::uint32_t> blendPixels_;
};
