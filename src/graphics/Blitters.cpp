#include "graphics/Blitters.h"

#include "graphics/BlitterRows.h"
#include "graphics/PixelAccess.h"

#include <cstring>

using BlitterRows::height;
using BlitterRows::pixelAt;
using BlitterRows::width;

namespace {

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
void scaledRows(const CSurfaceMemory& from, const SRect& source, CSurfaceMemory& to, const SRect& target,
                std::uint32_t key, std::uint32_t bits)
{
    CNearestWalk down(height(source), height(target));
    for (std::int32_t j = 0; j < height(target); ++j, down.next()) {
        const std::uint8_t* sourceRow = pixelAt(from, source.left, source.top + static_cast<std::int32_t>(down.index()));
        std::uint8_t* targetRow = pixelAt(to, target.left, target.top + j);
        CNearestWalk across(width(source), width(target));
        for (std::int32_t i = 0; i < width(target); ++i, across.next()) {
            const std::uint32_t pixel = PixelAccess::load(sourceRow + across.index() * Bytes, Bytes);
            if ((pixel & bits) != key) {
                PixelAccess::store(targetRow + i * Bytes, Bytes, pixel);
            }
        }
    }
}

} // namespace

namespace Blitters {

void copy(const CSurfaceMemory& from, const SRect& source, CSurfaceMemory& to, std::int32_t x, std::int32_t y)
{
    const std::size_t rowBytes = static_cast<std::size_t>(width(source)) * bytesPerPixel(from.format());
    const std::int32_t rows = height(source);
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
    // Whole rows of two surfaces without padding are one block of memory: one call moves it.
    if (rowBytes == static_cast<std::size_t>(from.pitch()) && rowBytes == static_cast<std::size_t>(to.pitch())) {
        std::memcpy(pixelAt(to, x, y), pixelAt(from, source.left, source.top), rowBytes * static_cast<std::size_t>(rows));
        return;
    }
    for (std::int32_t j = 0; j < rows; ++j) {
        std::memcpy(pixelAt(to, x, y + j), pixelAt(from, source.left, source.top + j), rowBytes);
    }
}

void copyKeyedScaled(const CSurfaceMemory& from, const SRect& source, CSurfaceMemory& to, const SRect& target,
                     std::uint32_t key)
{
    if (&from == &to) {
        CSurfaceMemory snapshot(width(source), height(source), from.format(), from.generation());
        copy(from, source, snapshot, 0, 0);
        copyKeyedScaled(snapshot, SRect{0, 0, width(source), height(source)}, to, target, key);
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

} // namespace Blitters
