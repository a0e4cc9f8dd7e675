#include "pictures/Ui.h"

#include "pictures/Noise.h"
#include "pictures/Painting.h"
#include "pictures/Shapes.h"

#include <numbers>

namespace assetgen {

CCanvas paintNightBackdrop(uint32_t seed)
{
    CCanvas c(scene::kWidth, scene::kHeight);
    paintVerticalGradient(c, {{0, rgb8(10, 10, 32)}, {260, rgb8(30, 24, 66)}, {480, rgb8(52, 30, 78)}, {600, rgb8(36, 18, 52)}}, 0, 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            // Veils of rose and violet mist drifting across.
            const float veil = smoothstep(0.5f, 0.8f, fbm(x * 0.004f, y * 0.012f, seed, 6));
            const float glow = smoothstep(0.55f, 0.85f, fbm(x * 0.006f + 9, y * 0.006f, seed + 1, 5));
            c.at(x, y) += rgb8(90, 50, 110) * (veil * 0.45f) + rgb8(120, 60, 90) * (glow * 0.25f);
        }
    paintStars(c, {700, 0, 600, 0.7f, seed + 2, nullptr});
    vignette(c, 0.55f, 0.35f);
    return c;
}

SRgb goldTone(float t)
{
    return t < 0.5f ? mix(rgb8(255, 236, 170), rgb8(222, 166, 72), t * 2) : mix(rgb8(222, 166, 72), rgb8(130, 80, 30), t * 2 - 1);
}

void paintSparkle(CCanvas& c, SVec2 at, float size, SRgb colour)
{
    addGlow(c, at, size * 0.9f, colour, 0.5f);
    for (int k = -static_cast<int>(size * 2); k <= static_cast<int>(size * 2); ++k) {
        const float w = std::pow(1 - std::abs(k) / (size * 2 + 1), 2.0f);
        c.add(static_cast<int>(at.x) + k, static_cast<int>(at.y), colour * w);
        c.add(static_cast<int>(at.x), static_cast<int>(at.y) + k, colour * w);
    }
}

void paintPanel(CCanvas& c, float left, float top, float right, float bottom, float opacity)
{
    const SVec2 centre{(left + right) / 2, (top + bottom) / 2};
    const SVec2 half{(right - left) / 2, (bottom - top) / 2};
    paintSdf(c, left, top, right, bottom, [=](SVec2 p) { return sdRoundBox(p, centre, half, 14); },
             [](SVec2) { return rgb8(12, 8, 28); }, opacity);
    paintSdf(c, left - 2, top - 2, right + 2, bottom + 2,
             [=](SVec2 p) { return std::abs(sdRoundBox(p, centre, half - SVec2{4, 4}, 11)) - 0.6f; },
             [](SVec2 p) { return mix(rgb8(240, 200, 120), rgb8(160, 110, 50), clamp01(p.y / 600)); }, 0.85f);
}

void paintFlourish(CCanvas& c, float centreX, float y, float halfWidth)
{
    paintSdf(c, centreX - halfWidth - 2, y - 6, centreX + halfWidth + 2, y + 6,
             [=](SVec2 p) {
                 const float t = std::abs(p.x - centreX) / halfWidth;
                 const float line = std::abs(p.y - y) - 0.9f * (1 - t) - 0.15f;
                 const float bound = std::abs(p.x - centreX) - halfWidth;
                 const float diamond = (std::abs(p.x - centreX) + std::abs(p.y - y) * 1.6f) - 5;
                 return std::min(std::max(line, bound), diamond);
             },
             [](SVec2) { return rgb8(232, 186, 100); });
}

CCanvas paintPlaqueButton(int width, int height, const std::string& label)
{
    CCanvas c(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const float t = (y + 0.5f) / height;
            const float n = fbm(x * 0.08f, y * 0.08f, 701, 3);
            c.at(x, y) = mix(rgb8(58, 34, 84), rgb8(22, 12, 40), t) * (0.92f + 0.16f * n);
        }
    // Double gold rim: a bright outer line and a darker inner one.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int edge = std::min({x, y, width - 1 - x, height - 1 - y});
            const float t = static_cast<float>(y) / height;
            if (edge == 0)
                c.at(x, y) = mix(rgb8(250, 214, 140), rgb8(150, 96, 40), t);
            else if (edge == 2)
                c.at(x, y) = mix(c.at(x, y), rgb8(200, 150, 70), 0.6f);
            else if (edge == 1)
                c.at(x, y) = c.at(x, y) * 0.6f;
        }
    const CFont font(ETypeface::Chancery);
    float size = 23;
    while (size > 12 && font.measure(label, size) > width - 14)
        size -= 0.5f;
    STextStyle style{size, EAlign::Centre, goldShade(height * 0.28f, height * 0.78f), rgb8(0, 0, 0), 2, 0.8f, false};
    drawText(c, font, label, width / 2.0f, height * 0.5f + size * 0.3f, style);
    return c;
}

} // namespace assetgen
