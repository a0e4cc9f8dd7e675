#pragma once
#include "graphics/Rect.h"

#include <cstdint>
#include <optional>
#include <vector>

// Slow, per-pixel statements of what each drawing mode does, to check the fast loops against.
struct PixelImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t depth = 0;
    SRect clip;
    std::uint32_t key = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t& at(std::int32_t x, std::int32_t y) { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

void referenceOpaque(PixelImage& source, PixelImage& target, std::int32_t x, std::int32_t y, std::optional<SRect> rect);
void referenceKeyed(PixelImage& source, PixelImage& target, std::int32_t x, std::int32_t y, std::optional<SRect> rect);
void referenceBlend(PixelImage& source, PixelImage& target, std::int32_t x, std::int32_t y, std::optional<SRect> rect,
                    std::uint32_t alpha);
void referenceScaled(PixelImage& source, PixelImage& target, std::int32_t x, std::int32_t y, std::optional<SRect> rect,
                     float scale);

// One pixel of the blend: each channel becomes src + floor((dst - src) * a / 256).
std::uint32_t referenceBlendPixel(std::uint32_t source, std::uint32_t target, std::uint32_t alpha, std::uint32_t depth);
