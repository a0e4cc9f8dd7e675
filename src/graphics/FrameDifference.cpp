#include "graphics/FrameDifference.h"

#include <cstring>

namespace {

std::uint64_t word(const std::uint8_t* p)
{
    std::uint64_t value;
    std::memcpy(&value, p, 8);
    return value;
}

// The first byte in [0, limit) where the two rows differ, or limit.
std::size_t firstDifference(const std::uint8_t* a, const std::uint8_t* b, std::size_t limit)
{
    std::size_t i = 0;
    for (; i + 8 <= limit; i += 8) {
        if (const std::uint64_t bits = word(a + i) ^ word(b + i)) {
            return i + static_cast<std::size_t>(__builtin_ctzll(bits)) / 8;
        }
    }
    for (; i < limit; ++i) {
        if (a[i] != b[i]) {
            return i;
        }
    }
    return limit;
}

// One past the last byte in [from, end) where the two rows differ, or from.
std::size_t lastDifference(const std::uint8_t* a, const std::uint8_t* b, std::size_t from, std::size_t end)
{
    std::size_t i = end;
    for (; i >= from + 8; i -= 8) {
        if (const std::uint64_t bits = word(a + i - 8) ^ word(b + i - 8)) {
            return i - static_cast<std::size_t>(__builtin_clzll(bits)) / 8;
        }
    }
    for (; i > from; --i) {
        if (a[i - 1] != b[i - 1]) {
            return i;
        }
    }
    return from;
}

} // namespace

SRect changedArea(const CSurfaceMemory& now, const CSurfaceMemory& before)
{
    const std::int32_t height = now.height();
    const auto bytes = static_cast<std::size_t>(pixelBytes(now.format()));
    const std::size_t rowBytes = static_cast<std::size_t>(now.width()) * bytes;
    const auto same = [&](std::int32_t y) { return std::memcmp(now.row(y), before.row(y), rowBytes) == 0; };
    std::int32_t top = 0;
    while (top < height && same(top)) {
        ++top;
    }
    if (top == height) {
        return SRect{};
    }
    std::int32_t bottom = height;
    while (same(bottom - 1)) {
        --bottom;
    }
    // Each row only needs looking at outside the columns already known to differ.
    std::size_t left = rowBytes;
    std::size_t right = 0;
    for (std::int32_t y = top; y < bottom; ++y) {
        left = firstDifference(now.row(y), before.row(y), left);
        right = lastDifference(now.row(y), before.row(y), right > left ? right : left, rowBytes);
    }
    return SRect{static_cast<std::int32_t>(left / bytes), top, static_cast<std::int32_t>((right + bytes - 1) / bytes),
                bottom};
}
