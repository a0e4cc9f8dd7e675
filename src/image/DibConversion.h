#pragma once
#include "graphics/SurfaceFormat.h"
#include "image/CDib.h"

#include <cstddef>
#include <cstdint>
#include <span>

// Draws the whole bitmap upright, unscaled, into `dest`: the top row at dest[0], each
// following row `pitch` bytes further on, converted to `format` the way the platform's
// drawing library converts a device-independent bitmap (channels narrowed by dropping low
// bits, 5-bit channels widened by repeating their top bits, a colour index past the end of
// the table drawn black). Returns false, touching nothing, when `pitch` is shorter than one
// row of the picture or `dest` cannot hold every row.
bool ConvertDib(const CDib& dib, ESurfaceFormat format, std::span<std::uint8_t> dest,
                std::size_t pitch);
