#pragma once
#include "image/CDib.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// The four pixel formats a surface can have, named by their colour depth.
// Rgb555: 16-bit words, blue in bits 0-4, green 5-9, red 10-14, bit 15 zero.
// Rgb565: 16-bit words, blue in bits 0-4, green 5-10, red 11-15.
// Bgr24: three bytes blue, green, red.
// Bgrx32: four bytes blue, green, red and a fourth byte that is always written as 0.
enum class SurfaceFormat : std::uint8_t { Rgb555 = 15, Rgb565 = 16, Bgr24 = 24, Bgrx32 = 32 };

// The format of a colour depth 15, 16, 24 or 32; nothing for any other depth.
std::optional<SurfaceFormat> surfaceFormatForDepth(std::uint32_t depth);
std::size_t bytesPerPixel(SurfaceFormat format);

// Whether `bytes` bytes with rows `pitch` apart hold a picture of this size in `format`.
bool SurfaceHolds(std::int32_t width, std::int32_t height, SurfaceFormat format, std::size_t bytes,
                  std::size_t pitch);

// Draws the whole bitmap upright, unscaled, into `dest`: the top row at dest[0], each
// following row `pitch` bytes further on, converted to `format` the way the platform's
// drawing library converts a device-independent bitmap (channels narrowed by dropping low
// bits, 5-bit channels widened by repeating their top bits, a colour index past the end of
// the table drawn black). Returns false, touching nothing, when `pitch` is shorter than one
// row of the picture or `dest` cannot hold every row.
bool ConvertDib(const CDib& dib, SurfaceFormat format, std::span<std::uint8_t> dest,
                std::size_t pitch);
