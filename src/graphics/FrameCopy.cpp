#include "graphics/FrameCopy.h"

#include <array>
#include <cstring>

namespace {

struct SRgb {
    std::uint32_t r = 0;
    std::uint32_t g = 0;
    std::uint32_t b = 0;
};

constexpr std::uint32_t widen5(std::uint32_t v) { return (v << 3) | (v >> 2); }
constexpr std::uint32_t widen6(std::uint32_t v) { return (v << 2) | (v >> 4); }

std::uint16_t readWord(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

SRgb readPixel(const std::uint8_t* p, ESurfaceFormat format)
{
    switch (format) {
    case ESurfaceFormat::Rgb555: {
        const std::uint32_t w = readWord(p);
        return {widen5((w >> 10) & 31u), widen5((w >> 5) & 31u), widen5(w & 31u)};
    }
    case ESurfaceFormat::Rgb565: {
        const std::uint32_t w = readWord(p);
        return {widen5((w >> 11) & 31u), widen6((w >> 5) & 63u), widen5(w & 31u)};
    }
    case ESurfaceFormat::Bgr24:
    case ESurfaceFormat::Bgrx32: return {p[2], p[1], p[0]};
    }
    return {};
}

// For each channel, the destination bits of every 8-bit value, so a pixel costs three look-ups.
struct SChannelTables {
    std::array<std::uint32_t, 256> red{};
    std::array<std::uint32_t, 256> green{};
    std::array<std::uint32_t, 256> blue{};

    explicit SChannelTables(const SPixelFormatDescription& d)
    {
        for (std::uint32_t v = 0; v < 256; ++v) {
            red[v] = colorToPixel(v, d);
            green[v] = colorToPixel(v << 8, d);
            blue[v] = colorToPixel(v << 16, d);
        }
    }
};

void writePixel(std::uint8_t* p, std::uint32_t value, std::uint32_t bytes)
{
    for (std::uint32_t i = 0; i < bytes; ++i) {
        p[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

} // namespace

bool sameLayout(ESurfaceFormat format, const SPixelFormatDescription& description)
{
    const SPixelFormatDescription own = describeFormat(format);
    return description.rgb && description.bitCount == own.bitCount && description.redMask == own.redMask &&
           description.greenMask == own.greenMask && description.blueMask == own.blueMask;
}

bool copyFrame(const SFrameView& frame, std::uint8_t* dest, std::int32_t destPitch,
               const SPixelFormatDescription& description)
{
    const std::uint32_t bitCount = description.bitCount;
    if (!description.rgb || (bitCount != 16 && bitCount != 24 && bitCount != 32) || frame.width <= 0 ||
        frame.height <= 0) {
        return false;
    }
    const std::int32_t sourceBytes = pixelBytes(frame.format);
    const auto destBytes = static_cast<std::int32_t>(bitCount / 8);
    if (frame.pitch < frame.width * sourceBytes || destPitch < frame.width * destBytes) {
        return false;
    }
    if (sameLayout(frame.format, description)) {
        for (std::int32_t y = 0; y < frame.height; ++y) {
            std::memcpy(dest + static_cast<std::ptrdiff_t>(y) * destPitch,
                        frame.pixels + static_cast<std::ptrdiff_t>(y) * frame.pitch,
                        static_cast<std::size_t>(frame.width * sourceBytes));
        }
        return true;
    }
    const SChannelTables tables(description);
    for (std::int32_t y = 0; y < frame.height; ++y) {
        const std::uint8_t* in = frame.pixels + static_cast<std::ptrdiff_t>(y) * frame.pitch;
        std::uint8_t* out = dest + static_cast<std::ptrdiff_t>(y) * destPitch;
        for (std::int32_t x = 0; x < frame.width; ++x, in += sourceBytes, out += destBytes) {
            const SRgb c = readPixel(in, frame.format);
            writePixel(out, tables.red[c.r] | tables.green[c.g] | tables.blue[c.b], static_cast<std::uint32_t>(destBytes));
        }
    }
    return true;
}
