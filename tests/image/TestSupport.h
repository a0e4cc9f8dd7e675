#pragma once
#include "image/CDXImage.h"
#include "PictureFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace pictures {

// The picture as a 32-bit surface would show it: 0x00RRGGBB, top row first.
inline std::vector<std::uint32_t> render(const CDib& dib)
{
    std::vector<std::uint8_t> surface(std::size_t(dib.width()) * dib.height() * 4);
    EXPECT_TRUE(ConvertDib(dib, ESurfaceFormat::Bgrx32, surface, std::size_t(dib.width()) * 4));
    std::vector<std::uint32_t> pixels(surface.size() / 4);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = surface[4 * i] | surface[4 * i + 1] << 8 | surface[4 * i + 2] << 16 | std::uint32_t(surface[4 * i + 3]) << 24;
    return pixels;
}

inline SDecodeResult load(const Bytes& file, EImageType forced = EImageType::None)
{
    return CDXImage{}.LoadFromMemory(file, forced);
}

// Decodes a file that must be accepted and renders it.
inline std::vector<std::uint32_t> decodeAndRender(const Bytes& file, EImageType forced = EImageType::None)
{
    const SDecodeResult result = load(file, forced);
    if (!result) {
        ADD_FAILURE() << "refused: " << result.reason;
        return {};
    }
    return render(*result.dib);
}

// The pixels a test pattern function gives, top row first, as 0x00RRGGBB.
template <class F>
std::vector<std::uint32_t> expectedPixels(int width, int height, F colorAt)
{
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(colorAt(x, y));
    return pixels;
}

// A colour that differs in every channel from its neighbours, for spotting swaps and shears.
inline std::uint32_t patternColor(int x, int y)
{
    return std::uint32_t((x * 40 + 10) & 0xFF) << 16 | std::uint32_t((y * 50 + 20) & 0xFF) << 8 |
           std::uint32_t((x * 7 + y * 13 + 30) & 0xFF);
}

} // namespace pictures
