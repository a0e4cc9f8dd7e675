#include "graphics/Blitters.h"
#include "graphics/CKeySpans.h"
#include "graphics/KeyedChunks.h"
#include "graphics/PixelAccess.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if MINNE_AVX2_KERNELS
#include <immintrin.h>
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
struct SLayout16 {
    int redShift;
    std::uint32_t greenMask;
};

constexpr SLayout16 kLayout555{10, 0x1F};
constexpr SLayout16 kLayout565{11, 0x3F};

std::uint32_t blendPixel16(std::uint32_t source, std::uint32_t target, std::int32_t alpha, SLayout16 layout)
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

__m128i blendEight16(__m128i source, __m128i target, __m128i doubledAlpha, SLayout16 layout)
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
                std::int32_t alpha, SLayout16 layout)
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

#if MINNE_AVX2_KERNELS
MINNE_TARGET_AVX2 __m256i blendLanesAvx2(__m256i source, __m256i target, __m256i doubledAlpha)
{
    const __m256i difference = _mm256_slli_epi16(_mm256_sub_epi16(target, source), 7);
    return _mm256_add_epi16(source, _mm256_mulhi_epi16(difference, doubledAlpha));
}

MINNE_TARGET_AVX2 void blendRow16Avx2(const std::uint8_t* from, std::uint8_t* to, std::int32_t count,
                                      std::uint32_t key, std::int32_t alpha, SLayout16 layout)
{
    const __m256i keyWide = _mm256_set1_epi16(static_cast<short>(key));
    const __m256i doubledAlpha = _mm256_set1_epi16(static_cast<short>(alpha * 2));
    const __m256i five = _mm256_set1_epi16(0x1F);
    const __m256i greenMask = _mm256_set1_epi16(static_cast<short>(layout.greenMask));
    const __m128i shift = _mm_cvtsi32_si128(layout.redShift);
    std::int32_t i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + 2 * i));
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(to + 2 * i));
        const __m256i red = blendLanesAvx2(_mm256_and_si256(_mm256_srl_epi16(s, shift), five),
                                           _mm256_and_si256(_mm256_srl_epi16(d, shift), five), doubledAlpha);
        const __m256i green = blendLanesAvx2(_mm256_and_si256(_mm256_srli_epi16(s, 5), greenMask),
                                             _mm256_and_si256(_mm256_srli_epi16(d, 5), greenMask), doubledAlpha);
        const __m256i blue = blendLanesAvx2(_mm256_and_si256(s, five), _mm256_and_si256(d, five), doubledAlpha);
        const __m256i blended =
            _mm256_or_si256(_mm256_or_si256(_mm256_sll_epi16(red, shift), _mm256_slli_epi16(green, 5)), blue);
        const __m256i isKey = _mm256_cmpeq_epi16(s, keyWide);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + 2 * i), _mm256_blendv_epi8(blended, d, isKey));
    }
    blendRow16(from + 2 * i, to + 2 * i, count - i, key, alpha, layout);
}

MINNE_TARGET_AVX2 void blendRow32Avx2(const std::uint8_t* from, std::uint8_t* to, std::int32_t count,
                                      std::uint32_t key, std::int32_t alpha)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i colour = _mm256_set1_epi32(0x00FFFFFF);
    const __m256i keyWide = _mm256_set1_epi32(static_cast<int>(key));
    const __m256i doubledAlpha = _mm256_set1_epi16(static_cast<short>(alpha * 2));
    std::int32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + 4 * i));
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(to + 4 * i));
        const __m256i low =
            blendLanesAvx2(_mm256_unpacklo_epi8(s, zero), _mm256_unpacklo_epi8(d, zero), doubledAlpha);
        const __m256i high =
            blendLanesAvx2(_mm256_unpackhi_epi8(s, zero), _mm256_unpackhi_epi8(d, zero), doubledAlpha);
        // Unpacking and packing both work within 128-bit halves, so the pixels keep their places.
        const __m256i blended = _mm256_blendv_epi8(d, _mm256_packus_epi16(low, high), colour);
        const __m256i isKey = _mm256_cmpeq_epi32(_mm256_and_si256(s, colour), keyWide);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + 4 * i), _mm256_blendv_epi8(blended, d, isKey));
    }
    blendRow32(from + 4 * i, to + 4 * i, count - i, key, alpha);
}
#endif


// Runs of pixels that are not the key, from a table of runs: no key to compare, and in 24 and
// 32 bits every byte is a channel of its own. Every vector loop first works out its last,
// possibly overlapping, register from the untouched destination and stores it at the end, so
// a run of any length past one register needs no pixel-by-pixel tail.
void blendBytes(const std::uint8_t* from, std::uint8_t* to, std::size_t count, std::int32_t alpha, bool keepFourth)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (!keepFourth || i % 4 != 3) {
            to[i] = static_cast<std::uint8_t>(blendChannel(from[i], to[i], alpha));
        }
    }
}

#if defined(__SSE2__)
// Blends a run of at least 16 bytes in 16-byte steps. The last step is taken from the bytes as
// they were and stored at the end, overlapping the loop's work, so no byte-wise tail is needed.
template <typename Kernel>
void blendRunInSteps(const std::uint8_t* from, std::uint8_t* to, std::size_t count, Kernel kernel)
{
    const auto at = [](const std::uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
    const __m128i last = kernel(at(from + count - 16), at(to + count - 16));
    for (std::size_t i = 0; i + 16 <= count; i += 16) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), kernel(at(from + i), at(to + i)));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + count - 16), last);
}

__m128i blendSixteenBytes(__m128i s, __m128i d, __m128i doubledAlpha, __m128i fourth)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i low = blendLanes(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero), doubledAlpha);
    const __m128i high = blendLanes(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero), doubledAlpha);
    return _mm_or_si128(_mm_andnot_si128(fourth, _mm_packus_epi16(low, high)), _mm_and_si128(fourth, d));
}
#endif

void blendRunBytes(const std::uint8_t* from, std::uint8_t* to, std::size_t count, std::int32_t alpha, bool keepFourth)
{
#if defined(__SSE2__)
    if (count >= 16) {
        const __m128i doubledAlpha = _mm_set1_epi16(static_cast<short>(alpha * 2));
        const __m128i fourth = keepFourth ? _mm_set1_epi32(static_cast<int>(0xFF000000u)) : _mm_setzero_si128();
        blendRunInSteps(from, to, count, [&](__m128i s, __m128i d) { return blendSixteenBytes(s, d, doubledAlpha, fourth); });
        return;
    }
#endif
    blendBytes(from, to, count, alpha, keepFourth);
}

void blendRun16(const std::uint8_t* from, std::uint8_t* to, std::size_t count, std::int32_t alpha, SLayout16 layout)
{
    const std::size_t pixels = count / 2;
#if defined(__SSE2__)
    if (pixels >= 8) {
        const __m128i doubledAlpha = _mm_set1_epi16(static_cast<short>(alpha * 2));
        blendRunInSteps(from, to, count, [&](__m128i s, __m128i d) { return blendEight16(s, d, doubledAlpha, layout); });
        return;
    }
#endif
    for (std::size_t i = 0; i < pixels; ++i) {
        PixelAccess::store(to + 2 * i, 2,
                           blendPixel16(PixelAccess::load(from + 2 * i, 2), PixelAccess::load(to + 2 * i, 2), alpha, layout));
    }
}

#if MINNE_AVX2_KERNELS
MINNE_TARGET_AVX2 __m256i load256(const std::uint8_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
MINNE_TARGET_AVX2 void store256(std::uint8_t* p, __m256i v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }

MINNE_TARGET_AVX2 __m256i blendBytesAvx2(__m256i s, __m256i d, __m256i doubledAlpha, __m256i fourth)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i low = blendLanesAvx2(_mm256_unpacklo_epi8(s, zero), _mm256_unpacklo_epi8(d, zero), doubledAlpha);
    const __m256i high = blendLanesAvx2(_mm256_unpackhi_epi8(s, zero), _mm256_unpackhi_epi8(d, zero), doubledAlpha);
    return _mm256_blendv_epi8(_mm256_packus_epi16(low, high), d, fourth);
}

// The wide loops over a table of runs: the walk, the kernels and their constants are all made
// for AVX2, so nothing but the runs' bounds is worked out again for each run.
template <typename Run>
MINNE_TARGET_AVX2 inline void forEachRunAvx2(const CKeySpans& spans, std::ptrdiff_t bytes, const SRect& source,
                                             CSurfaceMemory& to, std::int32_t x, std::int32_t y, const Run& run)
{
    std::uint8_t* targetRow = to.row(y) + (x - source.left) * bytes;
    for (std::int32_t row = source.top; row < source.bottom; ++row, targetRow += to.pitch()) {
        const CKeySpans::SSpan* const last = spans.rowEnd(row);
        for (const CKeySpans::SSpan* span = spans.rowBegin(row); span != last && span->begin < source.right; ++span) {
            const std::int32_t begin = std::max(span->begin, source.left);
            const std::int32_t end = std::min(span->end, source.right);
            if (begin < end) {
                run(spans.pixels() + span->offset + (begin - span->begin) * bytes, targetRow + begin * bytes,
                    static_cast<std::size_t>((end - begin) * bytes));
            }
        }
    }
}

// Sixteen 16-bit pixels. Red of 5:5:5 and green are blended where they stand: the multiply
// leaves the floor's fraction in the bits below the field, which the mask drops. Red of 5:6:5
// is moved down first, as its difference in place would not fit 16 signed bits.
template <bool Red565>
MINNE_TARGET_AVX2 inline __m256i blendSixteen16(__m256i s, __m256i d, __m256i doubledAlpha, __m256i greenAlpha)
{
    const __m256i five = _mm256_set1_epi16(0x1F);
    const __m256i greenMask = _mm256_set1_epi16(Red565 ? 0x07E0 : 0x03E0);
    const __m256i sb = _mm256_and_si256(s, five);
    const __m256i blue = _mm256_add_epi16(
        sb, _mm256_mulhi_epi16(_mm256_slli_epi16(_mm256_sub_epi16(_mm256_and_si256(d, five), sb), 7), doubledAlpha));
    const __m256i sg = _mm256_and_si256(s, greenMask);
    const __m256i green = _mm256_and_si256(
        _mm256_add_epi16(sg, _mm256_mulhi_epi16(_mm256_slli_epi16(_mm256_sub_epi16(_mm256_and_si256(d, greenMask), sg), 2),
                                                greenAlpha)),
        greenMask);
    __m256i red;
    if constexpr (Red565) {
        const __m256i sr = _mm256_srli_epi16(s, 11);
        const __m256i difference = _mm256_slli_epi16(_mm256_sub_epi16(_mm256_srli_epi16(d, 11), sr), 7);
        red = _mm256_slli_epi16(_mm256_add_epi16(sr, _mm256_mulhi_epi16(difference, doubledAlpha)), 11);
    } else {
        // The high half of difference * 2a is floor(8 * difference * a / 256), three bits of
        // fraction that land below the field once moved up by 7.
        const __m256i redMask = _mm256_set1_epi16(0x7C00);
        const __m256i sr = _mm256_and_si256(s, redMask);
        const __m256i scaled = _mm256_mulhi_epi16(_mm256_sub_epi16(_mm256_and_si256(d, redMask), sr), doubledAlpha);
        red = _mm256_and_si256(_mm256_add_epi16(sr, _mm256_slli_epi16(scaled, 7)), redMask);
    }
    return _mm256_or_si256(_mm256_or_si256(red, green), blue);
}

// One run each; the constants are made once for the whole table.
template <bool Red565>
struct SBlend16Run {
    __m256i doubledAlpha;
    __m256i greenAlpha;
    std::int32_t alpha;

    MINNE_TARGET_AVX2 void operator()(const std::uint8_t* from, std::uint8_t* to, std::size_t count) const
    {
        if (count < 32) {
            blendRun16(from, to, count, alpha, Red565 ? kLayout565 : kLayout555);
            return;
        }
        // The last register is worked out from the untouched bytes and stored at the end.
        const __m256i last = blendSixteen16<Red565>(load256(from + count - 32), load256(to + count - 32), doubledAlpha,
                                                    greenAlpha);
        for (std::size_t i = 0; i + 32 < count; i += 32) {
            store256(to + i, blendSixteen16<Red565>(load256(from + i), load256(to + i), doubledAlpha, greenAlpha));
        }
        store256(to + count - 32, last);
    }
};

template <bool KeepFourth>
struct SBlendBytesRun {
    __m256i doubledAlpha;
    __m256i fourth;
    std::int32_t alpha;

    MINNE_TARGET_AVX2 void operator()(const std::uint8_t* from, std::uint8_t* to, std::size_t count) const
    {
        if (count < 32) {
            blendRunBytes(from, to, count, alpha, KeepFourth);
            return;
        }
        const __m256i last = blendBytesAvx2(load256(from + count - 32), load256(to + count - 32), doubledAlpha, fourth);
        for (std::size_t i = 0; i + 32 < count; i += 32) {
            store256(to + i, blendBytesAvx2(load256(from + i), load256(to + i), doubledAlpha, fourth));
        }
        store256(to + count - 32, last);
    }
};

MINNE_TARGET_AVX2 void blendSpansAvx2(const CKeySpans& spans, ESurfaceFormat format, const SRect& source,
                                      CSurfaceMemory& to, std::int32_t x, std::int32_t y, std::int32_t alpha)
{
    const __m256i doubledAlpha = _mm256_set1_epi16(static_cast<short>(alpha * 2));
    const __m256i greenAlpha = _mm256_set1_epi16(static_cast<short>(alpha * 64));
    switch (format) {
    case ESurfaceFormat::Rgb555:
        forEachRunAvx2(spans, 2, source, to, x, y, SBlend16Run<false>{doubledAlpha, greenAlpha, alpha});
        return;
    case ESurfaceFormat::Rgb565:
        forEachRunAvx2(spans, 2, source, to, x, y, SBlend16Run<true>{doubledAlpha, greenAlpha, alpha});
        return;
    case ESurfaceFormat::Bgr24:
        forEachRunAvx2(spans, 3, source, to, x, y, SBlendBytesRun<false>{doubledAlpha, _mm256_setzero_si256(), alpha});
        return;
    case ESurfaceFormat::Bgrx32:
        forEachRunAvx2(spans, 4, source, to, x, y,
                       SBlendBytesRun<true>{doubledAlpha, _mm256_set1_epi32(static_cast<int>(0xFF000000u)), alpha});
        return;
    }
}
#endif

// One run of `count` bytes in the given format, with the baseline loops.
void blendRun(const std::uint8_t* from, std::uint8_t* to, std::size_t count, std::int32_t alpha, ESurfaceFormat format)
{
    switch (format) {
    case ESurfaceFormat::Rgb555: blendRun16(from, to, count, alpha, kLayout555); return;
    case ESurfaceFormat::Rgb565: blendRun16(from, to, count, alpha, kLayout565); return;
    case ESurfaceFormat::Bgr24: blendRunBytes(from, to, count, alpha, false); return;
    case ESurfaceFormat::Bgrx32: blendRunBytes(from, to, count, alpha, true); return;
    }
}

using Row16 = void (*)(const std::uint8_t*, std::uint8_t*, std::int32_t, std::uint32_t, std::int32_t, SLayout16);
using Row32 = void (*)(const std::uint8_t*, std::uint8_t*, std::int32_t, std::uint32_t, std::int32_t);

Row16 row16(ESimd simd)
{
#if MINNE_AVX2_KERNELS
    if (runsAvx2(simd)) {
        return blendRow16Avx2;
    }
#endif
    static_cast<void>(simd);
    return blendRow16;
}

Row32 row32(ESimd simd)
{
#if MINNE_AVX2_KERNELS
    if (runsAvx2(simd)) {
        return blendRow32Avx2;
    }
#endif
    static_cast<void>(simd);
    return blendRow32;
}

} // namespace

namespace Blitters {

void blendKeyed(const CSurfaceMemory& from, const SRect& source, CSurfaceMemory& to, std::int32_t x, std::int32_t y,
                std::uint32_t key, std::uint32_t alpha, ESimd simd)
{
    const std::int32_t count = source.right - source.left;
    const std::int32_t rows = source.bottom - source.top;
    if (&from == &to && x < source.right && source.left < x + count && y < source.bottom && source.top < y + rows) {
        CSurfaceMemory snapshot(count, rows, from.format(), from.generation());
        copy(from, source, snapshot, 0, 0);
        blendKeyed(snapshot, SRect{0, 0, count, rows}, to, x, y, key, alpha, simd);
        return;
    }
    const std::int32_t a = static_cast<std::int32_t>(alpha);
    const Row16 blend16 = row16(simd);
    const Row32 blend32 = row32(simd);
    const std::int32_t bytes = pixelBytes(to.format());
    for (std::int32_t j = 0; j < rows; ++j) {
        const std::uint8_t* sourceRow = from.row(source.top + j) + static_cast<std::ptrdiff_t>(source.left) * bytes;
        std::uint8_t* targetRow = to.row(y + j) + static_cast<std::ptrdiff_t>(x) * bytes;
        switch (to.format()) {
        case ESurfaceFormat::Rgb555: blend16(sourceRow, targetRow, count, key & 0xFFFF, a, kLayout555); break;
        case ESurfaceFormat::Rgb565: blend16(sourceRow, targetRow, count, key & 0xFFFF, a, kLayout565); break;
        case ESurfaceFormat::Bgr24: blendRow24(sourceRow, targetRow, count, key & 0xFFFFFF, a); break;
        case ESurfaceFormat::Bgrx32: blend32(sourceRow, targetRow, count, key & 0xFFFFFF, a); break;
        }
    }
}

void blendKeyedSpans(const CKeySpans& spans, ESurfaceFormat format, const SRect& source, CSurfaceMemory& to,
                     std::int32_t x, std::int32_t y, std::uint32_t alpha, ESimd simd)
{
    const auto a = static_cast<std::int32_t>(alpha);
    if (simd == ESimd::Avx512 && KeyedChunks::blend(spans, format, source, to, x, y, a)) {
        return;
    }
#if MINNE_AVX2_KERNELS
    if (runsAvx2(simd)) {
        blendSpansAvx2(spans, format, source, to, x, y, a);
        return;
    }
#endif
    static_cast<void>(simd);
    const std::ptrdiff_t bytes = pixelBytes(format);
    std::uint8_t* targetRow = to.row(y) + (x - source.left) * bytes;
    for (std::int32_t row = source.top; row < source.bottom; ++row, targetRow += to.pitch()) {
        const CKeySpans::SSpan* const last = spans.rowEnd(row);
        for (const CKeySpans::SSpan* span = spans.rowBegin(row); span != last && span->begin < source.right; ++span) {
            const std::int32_t begin = std::max(span->begin, source.left);
            const std::int32_t end = std::min(span->end, source.right);
            if (begin < end) {
                blendRun(spans.pixels() + span->offset + (begin - span->begin) * bytes, targetRow + begin * bytes,
                      static_cast<std::size_t>((end - begin) * bytes), a, format);
            }
        }
    }
}

} // namespace Blitters
