#include "image/PixelRows.h"

#include "image/ByteOrder.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#define MINNE_X86 1
#include <emmintrin.h>
#include <tmmintrin.h>
#endif

namespace pixel_rows {

namespace {

using image_bytes::load32;
using image_bytes::store32;

// Four pixels (12 bytes) in three word loads.
void widenScalar(const std::uint8_t* s, std::uint8_t* d, std::size_t pixels)
{
    std::size_t x = 0;
    for (; x + 4 <= pixels; x += 4, s += 12, d += 16) {
        const std::uint32_t a = load32(s), b = load32(s + 4), c = load32(s + 8);
        store32(d, a & 0xFFFFFF);
        store32(d + 4, (a >> 24 | b << 8) & 0xFFFFFF);
        store32(d + 8, (b >> 16 | c << 16) & 0xFFFFFF);
        store32(d + 12, c >> 8);
    }
    for (; x < pixels; ++x, s += 3, d += 4)
        store32(d, s[0] | std::uint32_t(s[1]) << 8 | std::uint32_t(s[2]) << 16);
}

#ifdef MINNE_X86
// Sixteen pixels per round: 48 bytes in three loads, four byte shuffles that put a zero in
// every fourth byte, 64 bytes out.
__attribute__((target("ssse3"))) void widenSsse3(const std::uint8_t* s, std::uint8_t* d, std::size_t pixels)
{
    const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    std::size_t x = 0;
    for (; x + 16 <= pixels; x += 16, s += 48, d += 64) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 16));
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 32));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_shuffle_epi8(a, spread));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 16), _mm_shuffle_epi8(_mm_alignr_epi8(b, a, 12), spread));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 32), _mm_shuffle_epi8(_mm_alignr_epi8(c, b, 8), spread));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 48), _mm_shuffle_epi8(_mm_srli_si128(c, 4), spread));
    }
    widenScalar(s, d, pixels - x);
}

bool hasSsse3()
{
    static const bool supported = __builtin_cpu_supports("ssse3");
    return supported;
}
#endif

} // namespace

void widenBgrToBgrx(const std::uint8_t* source, std::uint8_t* dest, std::size_t pixels)
{
#ifdef MINNE_X86
    if (hasSsse3()) {
        widenSsse3(source, dest, pixels);
        return;
    }
#endif
    widenScalar(source, dest, pixels);
}

void clearFourthBytes(const std::uint8_t* s, std::uint8_t* d, std::size_t pixels)
{
    std::size_t x = 0;
#ifdef MINNE_X86
    const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
    for (; x + 8 <= pixels; x += 8, s += 32, d += 32) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 16));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_and_si128(a, colour));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 16), _mm_and_si128(b, colour));
    }
#endif
    for (; x < pixels; ++x, s += 4, d += 4)
        store32(d, load32(s) & 0xFFFFFF);
}

// Flat areas are common in 8-bit artwork: four equal indexes take one lookup.
void lookupFour(const std::uint8_t* s, std::uint8_t* d, const std::uint32_t* table)
{
    const std::uint32_t four = load32(s);
    if (four == (four & 0xFF) * 0x01010101u) {
        const std::uint64_t two = table[four & 0xFF] * 0x100000001ull;
        std::memcpy(d, &two, 8);
        std::memcpy(d + 8, &two, 8);
        return;
    }
    store32(d, table[four & 0xFF]);
    store32(d + 4, table[four >> 8 & 0xFF]);
    store32(d + 8, table[four >> 16 & 0xFF]);
    store32(d + 12, table[four >> 24]);
}

void lookupIndexes32(const std::uint8_t* s, std::uint8_t* d, std::size_t pixels, const std::uint32_t* table)
{
    std::size_t x = 0;
#ifdef MINNE_X86
    // Sixteen equal indexes become four stores of one looked-up pixel.
    for (; x + 16 <= pixels; x += 16, s += 16, d += 64) {
        const __m128i indexes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
        const __m128i first = _mm_set1_epi8(static_cast<char>(s[0]));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(indexes, first)) == 0xFFFF) {
            const __m128i pixel = _mm_set1_epi32(static_cast<int>(table[s[0]]));
            __m128i* out = reinterpret_cast<__m128i*>(d);
            _mm_storeu_si128(out, pixel);
            _mm_storeu_si128(out + 1, pixel);
            _mm_storeu_si128(out + 2, pixel);
            _mm_storeu_si128(out + 3, pixel);
            continue;
        }
        for (int group = 0; group < 4; ++group)
            lookupFour(s + 4 * group, d + 16 * group, table);
    }
#endif
    for (; x + 4 <= pixels; x += 4, s += 4, d += 16)
        lookupFour(s, d, table);
    for (; x < pixels; ++x, ++s, d += 4)
        store32(d, table[*s]);
}

void interleavePlanes(const std::uint8_t* r, const std::uint8_t* g, const std::uint8_t* b, const std::uint8_t* a,
                      std::uint8_t* d, std::size_t pixels)
{
    std::size_t x = 0;
#ifdef MINNE_X86
    const __m128i opaque = _mm_set1_epi8(-1);
    for (; x + 16 <= pixels; x += 16, d += 64) {
        const auto at = [x](const std::uint8_t* plane) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(plane + x)); };
        const __m128i blue = at(b), green = at(g), red = at(r), alpha = a ? at(a) : opaque;
        const __m128i blueGreenLow = _mm_unpacklo_epi8(blue, green), blueGreenHigh = _mm_unpackhi_epi8(blue, green);
        const __m128i redAlphaLow = _mm_unpacklo_epi8(red, alpha), redAlphaHigh = _mm_unpackhi_epi8(red, alpha);
        __m128i* out = reinterpret_cast<__m128i*>(d);
        _mm_storeu_si128(out, _mm_unpacklo_epi16(blueGreenLow, redAlphaLow));
        _mm_storeu_si128(out + 1, _mm_unpackhi_epi16(blueGreenLow, redAlphaLow));
        _mm_storeu_si128(out + 2, _mm_unpacklo_epi16(blueGreenHigh, redAlphaHigh));
        _mm_storeu_si128(out + 3, _mm_unpackhi_epi16(blueGreenHigh, redAlphaHigh));
    }
#endif
    for (; x < pixels; ++x, d += 4) {
        d[0] = b[x];
        d[1] = g[x];
        d[2] = r[x];
        d[3] = a ? a[x] : 255;
    }
}

} // namespace pixel_rows
