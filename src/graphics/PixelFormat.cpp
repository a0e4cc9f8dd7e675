#include "graphics/PixelFormat.h"

namespace {

struct SMaskPosition {
    std::uint32_t shift = 0;
    std::uint32_t width = 0;
};

// Where a channel mask starts and how many set bits it has from there.
SMaskPosition maskPosition(std::uint32_t mask)
{
    SMaskPosition position;
    if (mask == 0) {
        return position;
    }
    while (((mask >> position.shift) & 1u) == 0) {
        ++position.shift;
    }
    while (position.shift + position.width < 32 && ((mask >> (position.shift + position.width)) & 1u) != 0) {
        ++position.width;
    }
    return position;
}

// The mask shifted down until its bit 0 is set, at most 32 steps, as the detection counts it.
void shiftDown(std::uint32_t mask, std::uint8_t& maskByte, std::uint8_t& shift)
{
    std::uint32_t steps = 0;
    while (steps < 32 && (mask & 1u) == 0) {
        mask >>= 1;
        ++steps;
    }
    shift = static_cast<std::uint8_t>(steps);
    maskByte = static_cast<std::uint8_t>(mask & 0xFFu);
}

std::uint32_t scaleChannel(std::uint32_t value, std::uint32_t mask)
{
    const SMaskPosition position = maskPosition(mask);
    if (position.width == 0) {
        return 0;
    }
    const std::uint64_t placed = static_cast<std::uint64_t>(value) << position.shift;
    const std::uint64_t scaled = position.width <= 8 ? placed >> (8 - position.width)
                                                     : placed << (position.width - 8);
    return static_cast<std::uint32_t>(scaled) & mask;
}

} // namespace

SPixelFormatDescription describeFormat(ESurfaceFormat format)
{
    switch (format) {
    case ESurfaceFormat::Rgb555: return {16, true, 0x7C00, 0x03E0, 0x001F};
    case ESurfaceFormat::Rgb565: return {16, true, 0xF800, 0x07E0, 0x001F};
    case ESurfaceFormat::Bgr24: return {24, true, 0xFF0000, 0x00FF00, 0x0000FF};
    case ESurfaceFormat::Bgrx32: return {32, true, 0xFF0000, 0x00FF00, 0x0000FF};
    }
    return {};
}

std::int32_t pixelBytes(ESurfaceFormat format) { return static_cast<std::int32_t>(bytesPerPixel(format)); }

bool detectPixelFormat(const SPixelFormatDescription& description, SPixelFormatInfo& info)
{
    if (description.bitCount <= 8) {
        info = SPixelFormatInfo{};
        info.depth = description.bitCount;
        return true;
    }
    shiftDown(description.redMask, info.redMask, info.redShift);
    shiftDown(description.greenMask, info.greenMask, info.greenShift);
    shiftDown(description.blueMask, info.blueMask, info.blueShift);
    if (!description.rgb) {
        info.depth = 0;
        return false;
    }
    switch (description.bitCount) {
    case 16: {
        const unsigned sum = unsigned{info.redMask} + info.greenMask + info.blueMask;
        info.depth = sum == 93 ? 15 : 16;
        return true;
    }
    case 24:
    case 32: info.depth = description.bitCount; return true;
    default: info.depth = 0; return true;
    }
}

std::uint32_t colorToPixel(std::uint32_t color, const SPixelFormatDescription& description)
{
    if (description.bitCount <= 8) {
        return color;
    }
    const std::uint32_t red = color & 0xFFu;
    const std::uint32_t green = (color >> 8) & 0xFFu;
    const std::uint32_t blue = (color >> 16) & 0xFFu;
    return scaleChannel(red, description.redMask) | scaleChannel(green, description.greenMask) |
           scaleChannel(blue, description.blueMask);
}

std::uint32_t colorBits(ESurfaceFormat format)
{
    switch (format) {
    case ESurfaceFormat::Rgb555: return 0x7FFFu;
    case ESurfaceFormat::Rgb565: return 0xFFFFu;
    case ESurfaceFormat::Bgr24:
    case ESurfaceFormat::Bgrx32: return 0xFFFFFFu;
    }
    return 0;
}
