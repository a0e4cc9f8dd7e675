#include "graphics/KeyedChunks.h"

#include "graphics/CKeySpans.h"
#include "graphics/Simd.h"

#include <algorithm>

#if MINNE_AVX2_KERNELS
#include <immintrin.h>
#endif

namespace {

#if MINNE_AVX2_KERNELS
constexpr std::int32_t kChunk = 32;

// The chunk's pixels from `column` on that lie within columns [left, right).
inline std::uint32_t columnsOf(std::int32_t column, std::int32_t left, std::int32_t right)
{
    const auto from = static_cast<unsigned>(std::clamp(left - column, 0, kChunk));
    const auto to = static_cast<unsigned>(std::clamp(right - column, 0, kChunk));
    return static_cast<std::uint32_t>(((std::uint64_t{1} << to) - 1) & ~((std::uint64_t{1} << from) - 1));
}

// Calls draw.row(row) for every row of `source`, then draw(mask, chunk, target) for the
// table's chunks that hold its columns, `target` pointing where the chunk's first pixel goes.
// Lanes outside the mask are neither read nor written, so the first and last chunk may reach
// past the row's ends; the ones between lie within them (`Inside`) and are read whole.
template <typename Draw>
MINNE_TARGET_AVX512 inline void forEachChunk(const CKeySpans& spans, const SRect& source, CSurfaceMemory& to,
                                             std::int32_t x, std::int32_t y, Draw draw)
{
    // Everything the loop needs is in locals: the stores may alias any memory.
    const std::int32_t phase = spans.blendPhase();
    const std::int32_t left = source.left;
    const std::int32_t right = source.right;
    const std::int32_t bottom = source.bottom;
    const std::int32_t first = (left + phase) / kChunk;
    const std::int32_t last = (right - 1 + phase) / kChunk;
    const std::uint32_t firstColumns = columnsOf(first * kChunk - phase, left, right);
    const std::uint32_t lastColumns = columnsOf(last * kChunk - phase, left, right);
    const std::ptrdiff_t pitch = to.pitch();
    // Where the first chunk's first pixel goes.
    std::uint8_t* targetRow = to.row(y) + 2 * (static_cast<std::ptrdiff_t>(x) + first * kChunk - phase - left);
    for (std::int32_t row = source.top; row < bottom; ++row, targetRow += pitch) {
        draw.row(row);
        const std::uint32_t* bits = spans.drawnBitsOf(row);
        std::uint8_t* target = targetRow;
        draw.template operator()<false>(bits[first] & firstColumns, first, target);
        for (std::int32_t chunk = first + 1; chunk < last; ++chunk) {
            target += 2 * kChunk;
            draw.template operator()<true>(bits[chunk], chunk, target);
        }
        if (last > first) {
            draw.template operator()<false>(bits[last] & lastColumns, last, target + 2 * kChunk);
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
        const std::ptrdiff_t lane = static_cast<std::ptrdiff_t>(chunk) * kChunk;
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

template <bool Red565>
MINNE_TARGET_AVX512 void blendChunks(const CKeySpans& spans, const SRect& source, CSurfaceMemory& to, std::int32_t x,
                                     std::int32_t y, std::int32_t alpha)
{
    forEachChunk(spans, source, to, x, y, SBlendChunk<Red565>(spans, alpha));
}
#endif

} // namespace

namespace KeyedChunks {

bool built() { return MINNE_AVX2_KERNELS != 0; }

void blend(const CKeySpans& spans, ESurfaceFormat format, const SRect& source, CSurfaceMemory& to, std::int32_t x,
           std::int32_t y, std::int32_t alpha)
{
#if MINNE_AVX2_KERNELS
    if (format == ESurfaceFormat::Rgb565) {
        blendChunks<true>(spans, source, to, x, y, alpha);
    } else {
        blendChunks<false>(spans, source, to, x, y, alpha);
    }
#else
    static_cast<void>(spans), static_cast<void>(format), static_cast<void>(source), static_cast<void>(to);
    static_cast<void>(x), static_cast<void>(y), static_cast<void>(alpha);
#endif
}

} // namespace KeyedChunks
