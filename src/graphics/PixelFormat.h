#pragma once
#include "graphics/SurfaceFormat.h"

#include <cstdint>

// Surfaces hold one of the four formats of graphics/SurfaceFormat.h: 16-bit
// words for Rgb555 and Rgb565, the bytes B, G, R for Bgr24 and B, G, R, X for Bgrx32.

// What the platform tells about a surface's pixels: its bit count, whether it is RGB (as
// opposed to a palette format) and the channel masks.
struct SPixelFormatDescription {
    std::uint32_t bitCount = 0;
    bool rgb = false;
    std::uint32_t redMask = 0;
    std::uint32_t greenMask = 0;
    std::uint32_t blueMask = 0;
};

// A surface's format as the engine's pixel code uses it: each channel's mask shifted down to
// bit 0 (low 8 bits kept), the position of its lowest bit, and the colour depth:
// 1..8 for palette formats, 15 (5-5-5), 16 (5-6-5), 24, 32, or 0 when not supported.
struct SPixelFormatInfo {
    std::uint8_t blueMask = 0;
    std::uint8_t greenMask = 0;
    std::uint8_t redMask = 0;
    std::uint8_t blueShift = 0;
    std::uint8_t greenShift = 0;
    std::uint8_t redShift = 0;
    std::uint32_t depth = 0;

    friend bool operator==(const SPixelFormatInfo&, const SPixelFormatInfo&) = default;
};

SPixelFormatDescription describeFormat(ESurfaceFormat format);
// Bytes per pixel as a signed count, for pixel arithmetic.
std::int32_t pixelBytes(ESurfaceFormat format);

// Decodes a platform description into `info`. Returns false (depth 0) for a non-RGB format
// deeper than 8 bits or an unsupported bit count; `info` is then filled as far as it goes.
bool detectPixelFormat(const SPixelFormatDescription& description, SPixelFormatInfo& info);

// A colour 0x00BBGGRR (red in the low byte) as a pixel value of the described format.
// Palette formats (8 bits or less) get the colour back unchanged.
std::uint32_t colorToPixel(std::uint32_t color, const SPixelFormatDescription& description);

// The bits of a pixel value that carry colour (the X byte and the unused 5-5-5 bit excluded).
std::uint32_t colorBits(ESurfaceFormat format);
