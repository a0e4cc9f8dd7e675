#pragma once
#include "graphics/CSurfaceMemory.h"
#include "graphics/Rect.h"
#include "graphics/Simd.h"

#include <cstdint>

class CKeySpans;

// The pixel loops behind the drawing modes. They work on rectangles that the caller has
// already clipped to both surfaces (trusted, non-empty) and on surfaces of one format.
namespace Blitters {

// Plain copy of `source` to (x, y); overlapping copies within one memory are handled.
void copy(const CSurfaceMemory& from, const SRect& source, CSurfaceMemory& to, std::int32_t x, std::int32_t y);

// Copy that skips source pixels equal to `key` in their colour bits.
void copyKeyed(const CSurfaceMemory& from, const SRect& source, CSurfaceMemory& to, std::int32_t x,
               std::int32_t y, std::uint32_t key, ESimd simd = bestSimd());
// The same, driven by a table of the source's runs of pixels that are not the key.
void copyKeyedSpans(const CKeySpans& spans, ESurfaceFormat format, const SRect& source, CSurfaceMemory& to,
                    std::int32_t x, std::int32_t y, ESimd simd = bestSimd());

// Nearest-pixel scaling of `source` onto `target`, skipping key pixels. Each target pixel
// takes the source pixel under its centre.
void copyKeyedScaled(const CSurfaceMemory& from, const SRect& source, CSurfaceMemory& to, const SRect& target,
                     std::uint32_t key);

// Every pixel of the memory set to the raw value.
void fill(CSurfaceMemory& to, std::uint32_t pixel, ESimd simd = bestSimd());

// The engine's constant-alpha blend: every channel of a pixel that is not the key becomes
// src + floor((dst - src) * alpha / 256), alpha 0..256. 15 and 16 bits compare the whole
// 16-bit pixel with the key, 24 and 32 bits the low 24 bits; 32 bits keep the destination's
// fourth byte.
void blendKeyed(const CSurfaceMemory& from, const SRect& source, CSurfaceMemory& to, std::int32_t x,
                std::int32_t y, std::uint32_t key, std::uint32_t alpha, ESimd simd = bestSimd());

// The same, driven by a table of the source's runs of pixels that are not the key; the table
// must have been made with the blend's notion of the key (the whole pixel in 15 and 16 bits).
void blendKeyedSpans(const CKeySpans& spans, ESurfaceFormat format, const SRect& source, CSurfaceMemory& to,
                     std::int32_t x, std::int32_t y, std::uint32_t alpha, ESimd simd = bestSimd());

} // namespace Blitters
