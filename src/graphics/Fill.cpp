#include "graphics/Blitters.h"

#include "graphics/PixelAccess.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if MINNE_AVX2_KERNELS
#include <immintrin.h>
#endif

namespace {

// 96 bytes hold a whole number of pixels of every size and of every register width.
constexpr std::size_t kPatternBytes = 96;
using Pattern = std::uint8_t[kPatternBytes];

// Fills `count` bytes with the pattern repeated.
void fillBytes(std::uint8_t* to, std::size_t count, const Pattern& pattern)
{
    std::size_t done = 0;
#if defined(__SSE2__)
    __m128i lanes[6];
    for (int i = 0; i < 6; ++i) {
        lanes[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pattern + 16 * i));
    }
    for (; done + kPatternBytes <= count; done += kPatternBytes) {
        for (int i = 0; i < 6; ++i) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + done + 16 * i), lanes[i]);
        }
    }
#else
    for (; done + kPatternBytes <= count; done += kPatternBytes) {
        std::memcpy(to + done, pattern, kPatternBytes);
    }
#endif
    std::memcpy(to + done, pattern, count - done);
}

#if MINNE_AVX2_KERNELS
MINNE_TARGET_AVX2 void fillBytesAvx2(std::uint8_t* to, std::size_t count, const Pattern& pattern)
{
    const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pattern));
    const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pattern + 32));
    const __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pattern + 64));
    std::size_t done = 0;
    for (; done + kPatternBytes <= count; done += kPatternBytes) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + done), a);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + done + 32), b);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + done + 64), c);
    }
    std::memcpy(to + done, pattern, count - done);
}
#endif

void fillBytesWith(ESimd simd, std::uint8_t* to, std::size_t count, const Pattern& pattern)
{
#if MINNE_AVX2_KERNELS
    if (runsAvx2(simd)) {
        fillBytesAvx2(to, count, pattern);
        return;
    }
#endif
    static_cast<void>(simd);
    fillBytes(to, count, pattern);
}

} // namespace

namespace Blitters {

void fill(CSurfaceMemory& to, std::uint32_t pixel, ESimd simd)
{
    const std::int32_t bytes = pixelBytes(to.format());
    Pattern pattern;
    for (std::size_t i = 0; i < kPatternBytes; i += static_cast<std::size_t>(bytes)) {
        PixelAccess::store(pattern + i, bytes, pixel);
    }
    const std::size_t rowBytes = static_cast<std::size_t>(to.width()) * static_cast<std::size_t>(bytes);
    if (rowBytes == static_cast<std::size_t>(to.pitch())) {
        fillBytesWith(simd, to.pixels(), rowBytes * static_cast<std::size_t>(to.height()), pattern);
        return;
    }
    for (std::int32_t y = 0; y < to.height(); ++y) {
        fillBytesWith(simd, to.row(y), rowBytes, pattern);
    }
}

} // namespace Blitters
