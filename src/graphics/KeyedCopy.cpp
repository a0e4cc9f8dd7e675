#include "graphics/BlitterRows.h"
#include "graphics/Blitters.h"
#include "graphics/CKeySpans.h"
#include "graphics/PixelAccess.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if MINNE_AVX2_KERNELS
#include <immintrin.h>
#endif

using BlitterRows::height;
using BlitterRows::pixelAt;
using BlitterRows::width;

namespace {

// One row of a keyed copy, per pixel size. The 16- and 32-bit rows take whole registers of
// pixels at a time and select between source and destination by a compare mask.
void keyedRow16(const std::uint8_t* from, std::uint8_t* to, std::int32_t count, std::uint32_t key, std::uint32_t bits)
{
    std::int32_t i = 0;
#if defined(__SSE2__)
    const __m128i keyWide = _mm_set1_epi16(static_cast<short>(key));
    const __m128i bitsWide = _mm_set1_epi16(static_cast<short>(bits));
    for (; i + 8 <= count; i += 8) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 2 * i));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + 2 * i));
        const __m128i isKey = _mm_cmpeq_epi16(_mm_and_si128(s, bitsWide), keyWide);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 2 * i),
                         _mm_or_si128(_mm_and_si128(isKey, d), _mm_andnot_si128(isKey, s)));
    }
#endif
    for (; i < count; ++i) {
        const std::uint32_t pixel = PixelAccess::load(from + 2 * i, 2);
        if ((pixel & bits) != key) {
            PixelAccess::store(to + 2 * i, 2, pixel);
        }
    }
}

void keyedRow24(const std::uint8_t* from, std::uint8_t* to, std::int32_t count, std::uint32_t key)
{
    for (std::int32_t i = 0; i < count; ++i) {
        const std::uint32_t pixel = PixelAccess::load(from + 3 * i, 3);
        if (pixel != key) {
            PixelAccess::store(to + 3 * i, 3, pixel);
        }
    }
}

void keyedRow32(const std::uint8_t* from, std::uint8_t* to, std::int32_t count, std::uint32_t key)
{
    std::int32_t i = 0;
#if defined(__SSE2__)
    const __m128i keyWide = _mm_set1_epi32(static_cast<int>(key));
    const __m128i bitsWide = _mm_set1_epi32(0x00FFFFFF);
    for (; i + 4 <= count; i += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 4 * i));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + 4 * i));
        const __m128i isKey = _mm_cmpeq_epi32(_mm_and_si128(s, bitsWide), keyWide);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 4 * i),
                         _mm_or_si128(_mm_and_si128(isKey, d), _mm_andnot_si128(isKey, s)));
    }
#endif
    for (; i < count; ++i) {
        const std::uint32_t pixel = PixelAccess::load(from + 4 * i, 4);
        if ((pixel & 0x00FFFFFFu) != key) {
            PixelAccess::store(to + 4 * i, 4, pixel);
        }
    }
}

#if MINNE_AVX2_KERNELS
MINNE_TARGET_AVX2 void keyedRow16Avx2(const std::uint8_t* from, std::uint8_t* to, std::int32_t count,
                                      std::uint32_t key, std::uint32_t bits)
{
    const __m256i keyWide = _mm256_set1_epi16(static_cast<short>(key));
    const __m256i bitsWide = _mm256_set1_epi16(static_cast<short>(bits));
    std::int32_t i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + 2 * i));
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(to + 2 * i));
        const __m256i isKey = _mm256_cmpeq_epi16(_mm256_and_si256(s, bitsWide), keyWide);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + 2 * i), _mm256_blendv_epi8(s, d, isKey));
    }
    keyedRow16(from + 2 * i, to + 2 * i, count - i, key, bits);
}

MINNE_TARGET_AVX2 void keyedRow32Avx2(const std::uint8_t* from, std::uint8_t* to, std::int32_t count, std::uint32_t key)
{
    const __m256i keyWide = _mm256_set1_epi32(static_cast<int>(key));
    const __m256i bitsWide = _mm256_set1_epi32(0x00FFFFFF);
    std::int32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + 4 * i));
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(to + 4 * i));
        const __m256i isKey = _mm256_cmpeq_epi32(_mm256_and_si256(s, bitsWide), keyWide);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + 4 * i), _mm256_blendv_epi8(s, d, isKey));
    }
    keyedRow32(from + 4 * i, to + 4 * i, count - i, key);
}
#endif

void keyedRow(ESimd simd, ESurfaceFormat format, const std::uint8_t* from, std::uint8_t* to, std::int32_t count,
              std::uint32_t key)
{
    const bool avx2 = MINNE_AVX2_KERNELS && runsAvx2(simd);
    switch (format) {
    case ESurfaceFormat::Rgb555:
    case ESurfaceFormat::Rgb565:
#if MINNE_AVX2_KERNELS
        if (avx2) {
            keyedRow16Avx2(from, to, count, key, colorBits(format));
            break;
        }
#endif
        keyedRow16(from, to, count, key, colorBits(format));
        break;
    case ESurfaceFormat::Bgr24: keyedRow24(from, to, count, key); break;
    case ESurfaceFormat::Bgrx32:
#if MINNE_AVX2_KERNELS
        if (avx2) {
            keyedRow32Avx2(from, to, count, key);
            break;
        }
#endif
        keyedRow32(from, to, count, key);
        break;
    }
    static_cast<void>(avx2);
}

// Copies a run of a keyed picture. Long runs go to the library's memcpy; for short ones the
// call costs as much as the copy, so whole registers are moved instead, the last one
// overlapping the one before.
inline void copyRun(std::uint8_t* to, const std::uint8_t* from, std::size_t count)
{
    if (count > 128) {
        std::memcpy(to, from, count);
        return;
    }
#if defined(__SSE2__)
    if (count >= 16) {
        std::size_t done = 0;
        for (; done + 16 < count; done += 16) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + done),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + done)));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + count - 16),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + count - 16)));
        return;
    }
#endif
    BlitterRows::copyShortRun(to, from, count);
}

// The runs of the rows of `source`, clipped to its columns, as (target, packed source, bytes).
#define MINNE_FOR_EACH_RUN(copyFunction)                                                                       \
    const std::ptrdiff_t bytes = pixelBytes(format);                                                           \
    const std::int32_t left = source.left;                                                                     \
    const std::int32_t right = source.right;                                                                   \
    const std::uint8_t* const packed = spans.pixels();                                                         \
    std::uint8_t* targetRow = to.row(y) + (x - left) * bytes;                                                  \
    for (std::int32_t row = source.top; row < source.bottom; ++row, targetRow += to.pitch()) {                 \
        const CKeySpans::SSpan* const last = spans.rowEnd(row);                                                 \
        for (const CKeySpans::SSpan* span = spans.rowBegin(row); span != last && span->begin < right; ++span) { \
            const std::int32_t begin = std::max(span->begin, left);                                            \
            const std::int32_t end = std::min(span->end, right);                                               \
            if (begin < end) {                                                                                 \
                copyFunction(targetRow + begin * bytes, packed + span->offset + (begin - span->begin) * bytes, \
                             static_cast<std::size_t>((end - begin) * bytes));                                 \
            }                                                                                                  \
        }                                                                                                      \
    }

void copySpans(const CKeySpans& spans, ESurfaceFormat format, const SRect& source, CSurfaceMemory& to, std::int32_t x,
               std::int32_t y)
{
    MINNE_FOR_EACH_RUN(copyRun)
}

#if MINNE_AVX2_KERNELS
// Runs are copied with 32-byte moves rather than a library call, which costs as much as a
// short copy. After a first unaligned move the stores go to 32-byte boundaries, so none of
// them straddles two cache lines; the last move overlaps the one before.
MINNE_TARGET_AVX2 inline void copyRunAvx2(std::uint8_t* to, const std::uint8_t* from, std::size_t count)
{
    if (count < 32) {
        copyRun(to, from, count);
        return;
    }
    const __m256i last = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + count - 32));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(to), _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from)));
    std::size_t done = 32 - (reinterpret_cast<std::uintptr_t>(to) & 31);
    for (; done + 32 < count; done += 32) {
        _mm256_store_si256(reinterpret_cast<__m256i*>(to + done),
                           _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + done)));
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + count - 32), last);
}

MINNE_TARGET_AVX2 void copySpansAvx2(const CKeySpans& spans, ESurfaceFormat format, const SRect& source,
                                     CSurfaceMemory& to, std::int32_t x, std::int32_t y)
{
    MINNE_FOR_EACH_RUN(copyRunAvx2)
}
#endif

#undef MINNE_FOR_EACH_RUN

} // namespace

namespace Blitters {

void copyKeyed(const CSurfaceMemory& from, const SRect& source, CSurfaceMemory& to, std::int32_t x, std::int32_t y,
               std::uint32_t key, ESimd simd)
{
    if (BlitterRows::overlaps(from, source, to, x, y)) {
        CSurfaceMemory snapshot(width(source), height(source), from.format(), from.generation());
        copy(from, source, snapshot, 0, 0);
        copyKeyed(snapshot, SRect{0, 0, width(source), height(source)}, to, x, y, key, simd);
        return;
    }
    const std::uint32_t maskedKey = key & colorBits(from.format());
    for (std::int32_t j = 0; j < height(source); ++j) {
        keyedRow(simd, from.format(), pixelAt(from, source.left, source.top + j), pixelAt(to, x, y + j), width(source),
                 maskedKey);
    }
}

void copyKeyedSpans(const CKeySpans& spans, ESurfaceFormat format, const SRect& source, CSurfaceMemory& to,
                    std::int32_t x, std::int32_t y, ESimd simd)
{
#if MINNE_AVX2_KERNELS
    if (runsAvx2(simd)) {
        copySpansAvx2(spans, format, source, to, x, y);
        return;
    }
#endif
    static_cast<void>(simd);
    copySpans(spans, format, source, to, x, y);
}

} // namespace Blitters
