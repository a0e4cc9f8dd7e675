#pragma once
#include <cstdint>

// The per-depth pixel primitives on locked memory (first pixel and bytes per row). They do
// no clipping and no locking, so per-pixel loops can run between one Lock and one Unlock.
using PutPixelFunction = void (*)(std::uint8_t* pixels, std::int32_t pitch, std::int32_t x, std::int32_t y,
                                  std::uint32_t pixel);
using GetPixelFunction = std::uint32_t (*)(const std::uint8_t* pixels, std::int32_t pitch, std::int32_t x,
                                           std::int32_t y);

struct SPixelPrimitives {
    PutPixelFunction put = nullptr;
    GetPixelFunction get = nullptr;
};

// One byte for depth 8, two for 15 and 16, three (low byte first) for 24, four for 32;
// both empty for any other depth.
SPixelPrimitives primitivesForDepth(std::uint32_t depth);
