#include "platform/web/FrameConversion.h"

#include <cstddef>
#include <cstring>

void bgrxToRgba(const std::uint8_t* pixels, std::int32_t pitch, std::uint8_t* rgba, std::int32_t rgbaPitch,
                std::int32_t width, std::int32_t height)
{
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* from = pixels + static_cast<std::ptrdiff_t>(y) * pitch;
        std::uint8_t* to = rgba + static_cast<std::ptrdiff_t>(y) * rgbaPitch;
        for (std::int32_t x = 0; x < width; ++x) {
            // Whole little-endian words: blue is the low byte, red the low byte after.
            std::uint32_t pixel = 0;
            std::memcpy(&pixel, from + x * 4, 4);
            const std::uint32_t swapped =
                0xFF000000u | (pixel & 0x0000FF00u) | ((pixel >> 16) & 0xFFu) | ((pixel & 0xFFu) << 16);
            std::memcpy(to + x * 4, &swapped, 4);
        }
    }
}
