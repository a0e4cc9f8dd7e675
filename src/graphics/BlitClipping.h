#pragma once
#include "graphics/Rect.h"

#include <cstdint>
#include <optional>

// Where a draw lands once clipped: the part of the source rectangle that is drawn and the
// top-left corner it lands on. Nothing when clipping leaves nothing to draw.
struct SClippedBlit {
    SRect source;
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// The source rectangle is clipped by the source's clip rectangle (without moving x and y),
// then the destination rectangle by the destination's, and each side of the source moves by
// as much as the same side of the destination did.
std::optional<SClippedBlit> clipBlit(const SRect& source, const SRect& sourceClip, std::int32_t x, std::int32_t y,
                                    const SRect& destinationClip);

// A scaled draw once clipped: which part of the source is stretched onto which rectangle.
struct SScaledBlit {
    SRect source;
    SRect destination;
};

// The scaled rectangle keeps the centre of the unscaled one at (x, y). Clipping the
// destination moves each side of the source by the clipped amount divided by the scale.
// A scale of 0 or less (or not a number) draws nothing.
std::optional<SScaledBlit> clipScaledBlit(const SRect& source, const SRect& sourceClip, std::int32_t x, std::int32_t y,
                                         float scale, const SRect& destinationClip);
