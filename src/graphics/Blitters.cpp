#include "graphics/Blitters.h"

#include "graphics/CKeySpans.h"
#include "graphics/PixelAccess.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

std::int32_t rectWidth(const Rect& r) { return r.right - r.left; }
std::int32_t rectHeight(const Rect& r) { return r.bottom - r.top; }

const std::uint8_t* pixelAt(const CSurfaceMemory& memory, std::int32_t x, std::int32_t y)
{
    return memory.row(y) + static_cast<std::ptrdiff_t>(x) * pixelBytes(memory.format());
}

std::uint8_t* pixelAt(CSurfaceMemory& memory, std::int32_t x, std::int32_t y)
{
    return memory.row(y) + static_cast<std::ptrdiff_t>(x) * pixelBytes(memory.format());
}

bool overlaps(const CSurfaceMemory& from, const Rect& source, const CSurfaceMemory& to, std::int32_t x,
              std::int32_t y)
{
    return &from == &to && x < source.right && source.left < x + rectWidth(source) && y < source.bottom &&
           source.top < y + rectHeight(source);
}

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
        const __m128i out = _mm_or_si128(_mm_and_si128(isKey, d), _mm_andnot_si128(isKey, s));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 2 * i), out);
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
        const __m128i out = _mm_or_si128(_mm_and_si128(isKey, d), _mm_andnot_si128(isKey, s));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 4 * i), out);
    }
#endif
    for (; i < count; ++i) {
        const std::uint32_t pixel = PixelAccess::load(from + 4 * i, 4);
        if ((pixel & 0x00FFFFFFu) != key) {
            PixelAccess::store(to + 4 * i, 4, pixel);
        }
    }
}

void keyedRow(SurfaceFormat format, const std::uint8_t* from, std::uint8_t* to, std::int32_t count, std::uint32_t key)
{
    switch (pixelBytes(format)) {
    case 2: keyedRow16(from, to, count, key, colorBits(format)); break;
    case 3: keyedRow24(from, to, count, key); break;
    default: keyedRow32(from, to, count, key); break;
    }
}

// Walks the source pixels under the centres of the target pixels: target pixel i takes source
// pixel floor((2i + 1) * sourceLength / (2 * targetLength)), kept exact by carrying the
// remainder instead of dividing for every pixel.
class CNearestWalk {
public:
    CNearestWalk(std::int32_t sourceLength, std::int32_t targetLength)
        : denominator_(2 * static_cast<std::int64_t>(targetLength)),
          stepWhole_(2 * static_cast<std::int64_t>(sourceLength) / denominator_),
          stepRest_(2 * static_cast<std::int64_t>(sourceLength) % denominator_),
          index_(sourceLength / denominator_), rest_(sourceLength % denominator_)
    {
    }
    std::int64_t index() const { return index_; }
    void next()
    {
        index_ += stepWhole_;
        rest_ += stepRest_;
        if (rest_ >= denominator_) {
            ++index_;
            rest_ -= denominator_;
        }
    }

private:
    std::int64_t denominator_;
    std::int64_t stepWhole_;
    std::int64_t stepRest_;
    std::int64_t index_;
    std::int64_t rest_;
};

template <int Bytes>
void scaledRows(const CSurfaceMemory& from, const Rect& source, CSurfaceMemory& to, const Rect& target,
                std::uint32_t key, std::uint32_t bits)
{
    CNearestWalk down(rectHeight(source), rectHeight(target));
    for (std::int32_t j = 0; j < rectHeight(target); ++j, down.next()) {
        const std::uint8_t* sourceRow = pixelAt(from, source.left, source.top + static_cast<std::int32_t>(down.index()));
        std::uint8_t* targetRow = pixelAt(to, target.left, target.top + j);
        CNearestWalk across(rectWidth(source), rectWidth(target));
        for (std::int32_t i = 0; i < rectWidth(target); ++i, across.next()) {
            const std::uint32_t pixel = PixelAccess::load(sourceRow + across.index() * Bytes, Bytes);
            if ((pixel & bits) != key) {
                PixelAccess::store(targetRow + i * Bytes, Bytes, pixel);
            }
        }
    }
}

// Copies a run of a keyed picture. Long runs go to the library's memcpy, the fastest copy the
// processor has; for short ones the call costs as much as the copy, so whole registers are
// moved instead, the last one overlapping the one before.
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
    if (count >= 8) {
        std::uint64_t head;
        std::uint64_t tail;
        std::memcpy(&head, from, 8);
        std::memcpy(&tail, from + count - 8, 8);
        std::memcpy(to, &head, 8);
        std::memcpy(to + count - 8, &tail, 8);
    } else if (count >= 4) {
        std::uint32_t head;
        std::uint32_t tail;
        std::memcpy(&head, from, 4);
        std::memcpy(&tail, from + count - 4, 4);
        std::memcpy(to, &head, 4);
        std::memcpy(to + count - 4, &tail, 4);
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            to[i] = from[i];
        }
    }
}

// Fills `count` bytes with a pattern that repeats every `period` bytes; `pattern` holds 48
// bytes of it (48 is a multiple of every pixel size).
void fillBytes(std::uint8_t* to, std::size_t count, const std::uint8_t (&pattern)[48])
{
    std::size_t done = 0;
#if defined(__SSE2__)
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pattern));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pattern + 16));
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pattern + 32));
    for (; done + 48 <= count; done += 48) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + done), a);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + done + 16), b);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + done + 32), c);
    }
#else
    for (; done + 48 <= count; done += 48) {
        std::memcpy(to + done, pattern, 48);
    }
#endif
    std::memcpy(to + done, pattern, count - done);
}

} // namespace

namespace Blitters {

void copy(const CSurfaceMemory& from, const Rect& source, CSurfaceMemory& to, std::int32_t x, std::int32_t y)
{
    const std::size_t rowBytes = static_cast<std::size_t>(rectWidth(source)) * pixelBytes(from.format());
    const std::int32_t rows = rectHeight(source);
    if (&from == &to) {
        // Rows are taken bottom-up when the target lies lower, so no row is overwritten
        // before it is read; memmove handles the overlap within a row.
        const bool upwards = y > source.top;
        for (std::int32_t n = 0; n < rows; ++n) {
            const std::int32_t j = upwards ? rows - 1 - n : n;
            std::memmove(pixelAt(to, x, y + j), pixelAt(from, source.left, source.top + j), rowBytes);
        }
        return;
    }
    for (std::int32_t j = 0; j < rows; ++j) {
        std::memcpy(pixelAt(to, x, y + j), pixelAt(from, source.left, source.top + j), rowBytes);
    }
}

void copyKeyed(const CSurfaceMemory& from, const Rect& source, CSurfaceMemory& to, std::int32_t x, std::int32_t y,
               std::uint32_t key)
{
    if (overlaps(from, source, to, x, y)) {
        CSurfaceMemory snapshot(rectWidth(source), rectHeight(source), from.format(), from.generation());
        copy(from, source, snapshot, 0, 0);
        copyKeyed(snapshot, Rect{0, 0, rectWidth(source), rectHeight(source)}, to, x, y, key);
        return;
    }
    const std::uint32_t maskedKey = key & colorBits(from.format());
    for (std::int32_t j = 0; j < rectHeight(source); ++j) {
        keyedRow(from.format(), pixelAt(from, source.left, source.top + j), pixelAt(to, x, y + j),
                 rectWidth(source), maskedKey);
    }
}

void copyKeyedSpans(const CSurfaceMemory& from, const CKeySpans& spans, const Rect& source, CSurfaceMemory& to,
                    std::int32_t x, std::int32_t y)
{
    const std::ptrdiff_t bytes = pixelBytes(from.format());
    const std::int32_t left = source.left;
    const std::int32_t right = source.right;
    const std::uint8_t* const packed = spans.pixels();
    std::uint8_t* targetRow = to.row(y) + (x - left) * bytes;
    for (std::int32_t row = source.top; row < source.bottom; ++row, targetRow += to.pitch()) {
        const CKeySpans::Span* const last = spans.rowEnd(row);
        for (const CKeySpans::Span* span = spans.rowBegin(row); span != last && span->begin < right; ++span) {
            const std::int32_t begin = std::max(span->begin, left);
            const std::int32_t end = std::min(span->end, right);
            if (begin < end) {
                copyRun(targetRow + begin * bytes, packed + span->offset + (begin - span->begin) * bytes,
                        static_cast<std::size_t>((end - begin) * bytes));
            }
        }
    }
}

void copyKeyedScaled(const CSurfaceMemory& from, const Rect& source, CSurfaceMemory& to, const Rect& target,
                     std::uint32_t key)
{
    if (&from == &to) {
        CSurfaceMemory snapshot(rectWidth(source), rectHeight(source), from.format(), from.generation());
        copy(from, source, snapshot, 0, 0);
        copyKeyedScaled(snapshot, Rect{0, 0, rectWidth(source), rectHeight(source)}, to, target, key);
        return;
    }
    const std::uint32_t bits = colorBits(from.format());
    const std::uint32_t maskedKey = key & bits;
    switch (pixelBytes(from.format())) {
    case 2: scaledRows<2>(from, source, to, target, maskedKey, bits); break;
    case 3: scaledRows<3>(from, source, to, target, maskedKey, bits); break;
    default: scaledRows<4>(from, source, to, target, maskedKey, bits); break;
    }
}

void fill(CSurfaceMemory& to, std::uint32_t pixel)
{
    const std::int32_t bytes = pixelBytes(to.format());
    std::uint8_t pattern[48];
    for (std::int32_t i = 0; i < 48; i += bytes) {
        PixelAccess::store(pattern + i, bytes, pixel);
    }
    const std::size_t rowBytes = static_cast<std::size_t>(to.width()) * bytes;
    if (rowBytes == static_cast<std::size_t>(to.pitch())) {
        fillBytes(to.pixels(), rowBytes * static_cast<std::size_t>(to.height()), pattern);
        return;
    }
    for (std::int32_t y = 0; y < to.height(); ++y) {
        fillBytes(to.row(y), rowBytes, pattern);
    }
}

} // namespace Blitters
