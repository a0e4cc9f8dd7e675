#include "graphics/Blitters.h"
#include "graphics/PixelAccess.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The constant-alpha blend runs once a frame over the 500 x 100 answer box, so each depth has
// its own loop on raw rows. The vector loops give exactly the results of the per-pixel
// arithmetic: floor((dst - src) * a / 256) is the high half of (dst - src) * 128 * (2 * a),
// which the signed 16-bit multiply-high computes, floor included.

namespace {

std::uint32_t blendChannel(std::uint32_t source, std::uint32_t target, std::int32_t alpha)
{
    const std::int32_t difference = static_cast<std::int32_t>(target) - static_cast<std::int32_t>(source);
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(source) + ((difference * alpha) >> 8));
}

// Channel positions of a 16-bit format: red at redShift, green 5 up with greenMask, blue 0 up.
struct Layout16 {
    int redShift;
    std::uint32_t greenMask;
};

constexpr Layout16 kLayout555{10, 0x1F};
constexpr Layout16 kLayout565{11, 0x3F};

std::uint32_t blendPixel16(std::uint32_t source, std::uint32_t target, std::int32_t alpha, Layout16 layout)
{
    const std::uint32_t red = blendChannel((source >> layout.redShift) & 0x1F, (target >> layout.redShift) & 0x1F, alpha);
    const std::uint32_t green = blendChannel((source >> 5) & layout.greenMask, (target >> 5) & layout.greenMask, alpha);
    const std::uint32_t blue = blendChannel(source & 0x1F, target & 0x1F, alpha);
    return (red << layout.redShift) | (green << 5) | blue;
}

#if defined(__SSE2__)
__m128i blendLanes(__m128i source, __m128i target, __m128i doubledAlpha)
{
    const __m128i difference = _mm_slli_epi16(_mm_sub_epi16(target, source), 7);
    return _mm_add_epi16(source, _mm_mulhi_epi16(difference, doubledAlpha));
}

__m128i blendEight16(__m128i source, __m128i target, __m128i doubledAlpha, Layout16 layout)
{
    const __m128i five = _mm_set1_epi16(0x1F);
    const __m128i greenMask = _mm_set1_epi16(static_cast<short>(layout.greenMask));
    const __m128i shift = _mm_cvtsi32_si128(layout.redShift);
    const __m128i red = blendLanes(_mm_and_si128(_mm_srl_epi16(source, shift), five),
                                   _mm_and_si128(_mm_srl_epi16(target, shift), five), doubledAlpha);
    const __m128i green = blendLanes(_mm_and_si128(_mm_srli_epi16(source, 5), greenMask),
                                     _mm_and_si128(_mm_srli_epi16(target, 5), greenMask), doubledAlpha);
    const __m128i blue = blendLanes(_mm_and_si128(source, five), _mm_and_si128(target, five), doubledAlpha);
    return _mm_or_si128(_mm_or_si128(_mm_sll_epi16(red, shift), _mm_slli_epi16(green, 5)), blue);
}
#endif

void blendRow16(const std::uint8_t* from, std::uint8_t* to, std::int32_t count, std::uint32_t key,
                std::int32_t alpha, Layout16 layout)
{
    std::int32_t i = 0;
#if defined(__SSE2__)
    const __m128i keyWide = _mm_set1_epi16(static_cast<short>(key));
    const __m128i doubledAlpha = _mm_set1_epi16(static_cast<short>(alpha * 2));
    for (; i + 8 <= count; i += 8) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 2 * i));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + 2 * i));
        const __m128i isKey = _mm_cmpeq_epi16(s, keyWide);
        const __m128i blended = blendEight16(s, d, doubledAlpha, layout);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 2 * i),
                         _mm_or_si128(_mm_and_si128(isKey, d), _mm_andnot_si128(isKey, blended)));
    }
#endif
    for (; i < count; ++i) {
        const std::uint32_t s = PixelAccess::load(from + 2 * i, 2);
        if (s != key) {
            PixelAccess::store(to + 2 * i, 2, blendPixel16(s, PixelAccess::load(to + 2 * i, 2), alpha, layout));
        }
    }
}

void blendRow24(const std::uint8_t* from, std::uint8_t* to, std::int32_t count, std::uint32_t key, std::int32_t alpha)
{
    for (std::int32_t i = 0; i < count; ++i, from += 3, to += 3) {
        if (PixelAccess::load(from, 3) == key) {
            continue;
        }
        for (int channel = 0; channel < 3; ++channel) {
            to[channel] = static_cast<std::uint8_t>(blendChannel(from[channel], to[channel], alpha));
        }
    }
}

void blendRow32(const std::uint8_t* from, std::uint8_t* to, std::int32_t count, std::uint32_t key, std::int32_t alpha)
{
    std::int32_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
    const __m128i keyWide = _mm_set1_epi32(static_cast<int>(key));
    const __m128i doubledAlpha = _mm_set1_epi16(static_cast<short>(alpha * 2));
    for (; i + 4 <= count; i += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 4 * i));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + 4 * i));
        const __m128i low = blendLanes(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero), doubledAlpha);
        const __m128i high = blendLanes(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero), doubledAlpha);
        const __m128i blended = _mm_or_si128(_mm_and_si128(_mm_packus_epi16(low, high), colour),
                                             _mm_andnot_si128(colour, d));
        const __m128i isKey = _mm_cmpeq_epi32(_mm_and_si128(s, colour), keyWide);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 4 * i),
                         _mm_or_si128(_mm_and_si128(isKey, d), _mm_andnot_si128(isKey, blended)));
    }
#endif
    for (; i < count; ++i) {
        const std::uint8_t* s = from + 4 * i;
        std::uint8_t* d = to + 4 * i;
        if (PixelAccess::load(s, 3) == key) {
            continue;
        }
        for (int channel = 0; channel < 3; ++channel) {
            d[channel] = static_cast<std::uint8_t>(blendChannel(s[channel], d[channel], alpha));
        }
    }
}

} // namespace

namespace Blitters {

void blendKeyed(const CSurfaceMemory& from, const Rect& source, CSurfaceMemory& to, std::int32_t x, std::int32_t y,
                std::uint32_t key, std::uint32_t alpha)
{
    const std::int32_t count = source.right - source.left;
    const std::int32_t rows = source.bottom - source.top;
    if (&from == &to && x < source.right && source.left < x + count && y < source.bottom && source.top < y + rows) {
        CSurfaceMemory snapshot(count, rows, from.format(), from.generation());
        copy(from, source, snapshot, 0, 0);
        blendKeyed(snapshot, Rect{0, 0, count, rows}, to, x, y, key, alpha);
        return;
    }
    const std::int32_t a = static_cast<std::int32_t>(alpha);
    const std::int32_t bytes = pixelBytes(to.format());
    for (std::int32_t j = 0; j < rows; ++j) {
        const std::uint8_t* sourceRow = from.row(source.top + j) + static_cast<std::ptrdiff_t>(source.left) * bytes;
        std::uint8_t* targetRow = to.row(y + j) + static_cast<std::ptrdiff_t>(x) * bytes;
        switch (to.format()) {
        case SurfaceFormat::Rgb555: blendRow16(sourceRow, targetRow, count, key & 0xFFFF, a, kLayout555); break;
        case SurfaceFormat::Rgb565: blendRow16(sourceRow, targetRow, count, key & 0xFFFF, a, kLayout565); break;
        case SurfaceFormat::Bgr24: blendRow24(sourceRow, targetRow, count, key & 0xFFFFFF, a); break;
        case SurfaceFormat::Bgrx32: blendRow32(sourceRow, targetRow, count, key & 0xFFFFFF, a); break;
        }
    }
}

} // namespace Blitters
