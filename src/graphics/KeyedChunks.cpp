#include "graphics/KeyedChunks.h"

#include "graphics/CKeySpans.h"
#include "graphics/Simd.h"

#include <algorithm>

#if MINNE_AVX2_KERNELS
#include <immintrin.h>
#endif

namespace {

#if MINNE_AVX2_KERNELS
// The chunk's pixels from `column` on that lie within columns [left, right).
template <std::int32_t Pixels>
inline std::uint32_t columnsOf(std::int32_t column, std::int32_t left, std::int32_t right)
{
    const auto from = static_cast<unsigned>(std::clamp(left - column, 0, Pixels));
    const auto to = static_cast<unsigned>(std::clamp(right - column, 0, Pixels));
    return static_cast<std::uint32_t>(((std::uint64_t{1} << to) - 1) & ~((std::uint64_t{1} << from) - 1));
}

// Calls draw.row(row) for every row of `source`, then draw(mask, chunk, target) for the
// table's chunks of `Pixels` pixels (64 bytes) that hold its columns, `target` pointing where
// the chunk's first pixel goes. Lanes outside the mask are neither read nor written, so the
// first and last chunk may reach past the row's ends; the ones between lie within them
// (`Inside`) and are read whole.
template <std::int32_t Pixels, typename Draw>
MINNE_TARGET_AVX512 inline void forEachChunk(const CKeySpans& spans, const SRect& source, CSurfaceMemory& to,
                                             std::int32_t x, std::int32_t y, Draw draw)
{
    constexpr std::ptrdiff_t kBytes = 64 / Pixels;
    // Everything the loop needs is in locals: the stores may alias any memory.
    const std::int32_t phase = spans.blendPhase();
    const std::int32_t left = source.left;
    const std::int32_t right = source.right;
    const std::int32_t bottom = source.bottom;
    const std::int32_t first = (left + phase) / Pixels;
    const std::int32_t last = (right - 1 + phase) / Pixels;
    const std::uint32_t firstColumns = columnsOf<Pixels>(first * Pixels - phase, left, right);
    const std::uint32_t lastColumns = columnsOf<Pixels>(last * Pixels - phase, left, right);
    const std::ptrdiff_t pitch = to.pitch();
    // Where the first chunk's first pixel goes.
    std::uint8_t* targetRow = to.row(y) + kBytes * (static_cast<std::ptrdiff_t>(x) + first * Pixels - phase - left);
    for (std::int32_t row = source.top; row < bottom; ++row, targetRow += pitch) {
        draw.row(row);
        const std::uint32_t* bits = spans.drawnBitsOf(row);
        std::uint8_t* target = targetRow;
        draw.template operator()<false>(bits[first] & firstColumns, first, target);
        for (std::int32_t chunk = first + 1; chunk < last; ++chunk) {
            target += 64;
            draw.template operator()<true>(bits[chunk], chunk, target);
        }
        if (last > first) {
            draw.template operator()<false>(bits[last] & lastColumns, last, target + 64);
        }
    }
}

// A loaded register kept in a register: the compiler would otherwise read the memory again for
// every use, and the loads, not the arithmetic, would set the pace.
MINNE_TARGET_AVX512 inline __m512i held(__m512i value)
{
    asm("" : "+v"(value));
    return value;
}

// Bit by bit, `where` ? `set` : `clear`.
MINNE_TARGET_AVX512 inline __m512i select(__m512i where, __m512i set, __m512i clear)
{
    return _mm512_ternarylogic_epi32(set, clear, where, 0xE4);
}

// The blend as floor((s * (256 - a) + d * a) / 256) per channel: with a channel of the source
// and of the target in the two bytes of a lane, one multiply-add of bytes gives the sum, and
// its high byte the result. The source's channels come split from the table; the target's are
// moved into their bytes by a bit-field extraction and a bit select.
template <bool Red565>
struct SBlendChunk {
    MINNE_TARGET_AVX512 static __m512i weights(std::int32_t low, std::int32_t high)
    {
        return _mm512_set1_epi16(static_cast<short>(high << 8 | low));
    }

    MINNE_TARGET_AVX512 explicit SBlendChunk(const CKeySpans& table, std::int32_t alpha)
        : spans(table), targetLow(weights(alpha, 256 - alpha)), targetHigh(weights(256 - alpha, alpha)),
          blueGreen(weights(1, 32)), lowField(_mm512_set1_epi16(0x1F)),
          greenField(_mm512_set1_epi16(Red565 ? 0x3F : 0x1F)), highField(_mm512_set1_epi16(0x1F00)),
          redField(_mm512_set1_epi16(static_cast<short>(Red565 ? 0xF800 : 0x7C00)))
    {
        // Plain arrays and unaligned loads: no over-aligned stack, which not every compiler
        // for Windows aligns.
        std::uint8_t fields[64];
        std::uint8_t bytes[64];
        std::uint8_t spread[64];
        for (int i = 0; i < 64; ++i) {
            spread[i] = static_cast<std::uint8_t>(i / 2);
            // Bit offsets within the 64-bit group of four pixels: green, then red.
            const int pixel = i / 2 % 4;
            fields[i] = static_cast<std::uint8_t>(16 * pixel + (i % 2 == 0 ? 5 : (Red565 ? 11 : 10)));
            // Byte 2i takes the high byte of the first operand's lane i, byte 2i + 1 the second's.
            bytes[i] = static_cast<std::uint8_t>((i | 1) | (i % 2) << 6);
        }
        fieldsAt = _mm512_loadu_si512(fields);
        highBytes = _mm512_loadu_si512(bytes);
        greenBytes = _mm512_loadu_si512(spread);
    }

    void row(std::int32_t y)
    {
        blueRedRow = spans.blueRedOf(y);
        greenRow = spans.greenOf(y);
    }

    template <bool Inside>
    MINNE_TARGET_AVX512 void operator()(std::uint32_t mask, std::int32_t chunk, std::uint8_t* target) const
    {
        const std::ptrdiff_t lane = static_cast<std::ptrdiff_t>(chunk) * 32;
        const __m512i blueRed = held(_mm512_load_si512(blueRedRow + lane));
        const __m512i d = held(Inside ? _mm512_loadu_si512(target) : _mm512_maskz_loadu_epi16(mask, target));
        // The target's green in a lane's low byte and its red in the high byte, in one step
        // (the zero-masking form: gcc 12 warns on the plain one's undefined fill).
        const __m512i greenRed = _mm512_maskz_multishift_epi64_epi8(~std::uint64_t{0}, fieldsAt, d);
        const __m512i redSum = _mm512_maddubs_epi16(targetHigh, select(highField, greenRed, blueRed));
        // The source's green bytes moved into the lanes' high bytes, the low bytes cleared.
        const __m512i sourceGreen = _mm512_maskz_permutexvar_epi8(
            0xAAAAAAAAAAAAAAAAu, greenBytes,
            _mm512_castsi256_si512(_mm256_load_si256(reinterpret_cast<const __m256i*>(greenRow + lane))));
        const __m512i greenSum = _mm512_maddubs_epi16(targetLow, select(greenField, greenRed, sourceGreen));
        const __m512i blueSum = _mm512_maddubs_epi16(targetLow, select(lowField, d, blueRed));
        // The results are the sums' high bytes: blue and green side by side, then blue + 32 * green.
        const __m512i low = _mm512_maddubs_epi16(blueGreen, _mm512_permutex2var_epi8(blueSum, highBytes, greenSum));
        _mm512_mask_storeu_epi16(target, mask, select(redField, _mm512_slli_epi16(redSum, Red565 ? 3 : 2), low));
    }

    const CKeySpans& spans;
    const std::uint16_t* blueRedRow = nullptr;
    const std::uint8_t* greenRow = nullptr;
    __m512i targetLow;
    __m512i targetHigh;
    __m512i blueGreen;
    __m512i lowField;
    __m512i greenField;
    __m512i highField;
    __m512i redField;
    __m512i fieldsAt;
    __m512i highBytes;
    __m512i greenBytes;
};

// The blend at 32 bits as x + floor(b * (y - x) / 256) per channel, where x and y are the
// source and the target with b = alpha for alpha up to 128, and the other way round with
// b = 256 - alpha above it (the same value). One multiply-add of the channel pair (x, y) with
// the signed byte weights (-b, b) gives b * (y - x), whose arithmetic shift is the floor; 128
// does not fit a signed byte, so it is taken as 64 with a shift of 7. The fourth byte stays
// the target's.
template <bool SourceFirst>
struct SBlend32Chunk {
    MINNE_TARGET_AVX512 SBlend32Chunk(const CKeySpans& table, std::int32_t weight, int shift)
        : spans(table), weights(_mm512_set1_epi16(static_cast<short>(weight << 8 | (-weight & 0xFF)))),
          colour(_mm512_set1_epi32(0x00FFFFFF)), shiftBy(_mm_cvtsi32_si128(shift))
    {
        std::uint8_t bytes[64];
        for (int i = 0; i < 64; ++i) {
            // Unpacking works within 128-bit blocks: the block's first eight pixel bytes are in
            // the low pairs' lanes, the other eight in the high pairs'; each result is a lane's low byte.
            const int block = i / 16;
            const int index = i % 16;
            bytes[i] = static_cast<std::uint8_t>(index < 8 ? 2 * (8 * block + index) : 64 + 2 * (8 * block + index - 8));
        }
        lowBytes = _mm512_loadu_si512(bytes);
    }

    void row(std::int32_t y) { pixelRow = spans.pixelsOf(y); }

    template <bool Inside>
    MINNE_TARGET_AVX512 void operator()(std::uint32_t mask, std::int32_t chunk, std::uint8_t* target) const
    {
        const __m512i s = _mm512_load_si512(pixelRow + static_cast<std::ptrdiff_t>(chunk) * 16);
        const __m512i d = Inside ? _mm512_loadu_si512(target) : _mm512_maskz_loadu_epi32(static_cast<__mmask16>(mask), target);
        const __m512i first = SourceFirst ? s : d;
        const __m512i second = SourceFirst ? d : s;
        const __m512i low = _mm512_unpacklo_epi8(first, second);
        const __m512i high = _mm512_unpackhi_epi8(first, second);
        // Added to the pair's lane, whose low byte is x: only that byte is kept.
        const __m512i lowSum = _mm512_add_epi16(low, _mm512_sra_epi16(_mm512_maddubs_epi16(low, weights), shiftBy));
        const __m512i highSum = _mm512_add_epi16(high, _mm512_sra_epi16(_mm512_maddubs_epi16(high, weights), shiftBy));
        const __m512i blended = _mm512_permutex2var_epi8(lowSum, lowBytes, highSum);
        _mm512_mask_storeu_epi32(target, static_cast<__mmask16>(mask), select(colour, blended, d));
    }

    const CKeySpans& spans;
    const std::uint32_t* pixelRow = nullptr;
    __m512i weights;
    __m512i colour;
    __m128i shiftBy;
    __m512i lowBytes;
};

template <bool Red565>
MINNE_TARGET_AVX512 void blendChunks(const CKeySpans& spans, const SRect& source, CSurfaceMemory& to, std::int32_t x,
                                     std::int32_t y, std::int32_t alpha)
{
    forEachChunk<32>(spans, source, to, x, y, SBlendChunk<Red565>(spans, alpha));
}

MINNE_TARGET_AVX512 void blendChunks32(const CKeySpans& spans, const SRect& source, CSurfaceMemory& to, std::int32_t x,
                                       std::int32_t y, std::int32_t alpha)
{
    if (alpha < 128) {
        forEachChunk<16>(spans, source, to, x, y, SBlend32Chunk<true>(spans, alpha, 8));
    } else if (alpha == 128) {
        forEachChunk<16>(spans, source, to, x, y, SBlend32Chunk<true>(spans, 64, 7));
    } else {
        forEachChunk<16>(spans, source, to, x, y, SBlend32Chunk<false>(spans, 256 - alpha, 8));
    }
}
#endif

} // namespace

namespace KeyedChunks {

bool blend(const CKeySpans& spans, ESurfaceFormat format, const SRect& source, CSurfaceMemory& to, std::int32_t x,
           std::int32_t y, std::int32_t alpha)
{
#if MINNE_AVX2_KERNELS
    // No weight of 0 or 256 fits the loops' bytes; those blends take the runs.
    if (!spans.splitForBlend() || alpha <= 0 || alpha >= 256) {
        return false;
    }
    switch (format) {
    case ESurfaceFormat::Rgb555: blendChunks<false>(spans, source, to, x, y, alpha); return true;
    case ESurfaceFormat::Rgb565: blendChunks<true>(spans, source, to, x, y, alpha); return true;
    case ESurfaceFormat::Bgrx32:
        blendChunks32(spans, source, to, x, y, alpha);
        return true;
    case ESurfaceFormat::Bgr24: return false;
    }
#else
    static_cast<void>(spans), static_cast<void>(format), static_cast<void>(source), static_cast<void>(to);
    static_cast<void>(x), static_cast<void>(y), static_cast<void>(alpha);
#endif
    return false;
}

} // namespace KeyedChunks
