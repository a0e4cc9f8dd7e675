#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

// The four pixel formats a surface can have, named by their colour depth.
// Rgb555: 16-bit words, blue in bits 0-4, green 5-9, red 10-14, bit 15 zero.
// Rgb565: 16-bit words, blue in bits 0-4, green 5-10, red 11-15.
// Bgr24: three bytes blue, green, red.
// Bgrx32: four bytes blue, green, red and a fourth byte that is always written as 0.
// Only a vocabulary (no code to link), so the picture decoders can draw into surfaces without
// depending on the graphics library that uses them.
enum class ESurfaceFormat : std::uint8_t { Rgb555 = 15, Rgb565 = 16, Bgr24 = 24, Bgrx32 = 32 };

// The format of a colour depth 15, 16, 24 or 32; nothing for any other depth.
constexpr std::optional<ESurfaceFormat> surfaceFormatForDepth(std::uint32_t depth)
{
    switch (depth) {
    case 15: return ESurfaceFormat::Rgb555;
    case 16: return ESurfaceFormat::Rgb565;
    case 24: return ESurfaceFormat::Bgr24;
    case 32: return ESurfaceFormat::Bgrx32;
    default: return std::nullopt;
    }
}

constexpr std::size_t bytesPerPixel(ESurfaceFormat format)
{
    return format == ESurfaceFormat::Bgrx32 ? 4 : format == ESurfaceFormat::Bgr24 ? 3 : 2;
}

// Whether `bytes` bytes with rows `pitch` apart hold a picture of this size in `format`.
constexpr bool SurfaceHolds(std::int32_t width, std::int32_t height, ESurfaceFormat format, std::size_t bytes,
                            std::size_t pitch)
{
    if (width < 1 || height < 1)
        return false;
    const std::size_t rowBytes = std::size_t(width) * bytesPerPixel(format);
    if (pitch < rowBytes || bytes < rowBytes)
        return false;
    const auto lastRow = std::size_t(height - 1);
    return lastRow == 0 || pitch <= (bytes - rowBytes) / lastRow;
}
