#include "pictures/Landscapes.h"

#include "pictures/Noise.h"
#include "pictures/Parts.h"

namespace assetgen {

namespace {

// Each landscape lights the wall its own way: cold moonlight from the left over the lake, rosy
// dusk in the autumn wood, pale blue snow light, and low golden sun from the right in summer.
SLandscapeStyle styleOf(int number)
{
    switch (number) {
    case 1: return {rgb8(58, 74, 128), rgb8(30, 44, 46), 0.42f, 1.7f, rgb8(120, 140, 200), -1, 0.45f};
    case 2: return {rgb8(126, 78, 74), rgb8(60, 36, 24), 0.40f, 1.4f, rgb8(190, 110, 90), 1, 0.35f};
    case 3: return {rgb8(84, 104, 150), rgb8(120, 136, 170), 0.38f, 1.6f, rgb8(150, 170, 220), -1, 0.35f};
    default: return {rgb8(168, 108, 84), rgb8(58, 60, 30), 0.30f, 1.0f, rgb8(255, 170, 100), 1, 0.4f};
    }
}

void paintBackground(int number, CCanvas& c)
{
    switch (number) {
    case 1: paintLakeBackground(c); break;
    case 2: paintForestBackground(c); break;
    case 3: paintWinterBackground(c); break;
    default: paintMeadowBackground(c); break;
    }
}

void paintForeground(int number, CCanvas& c)
{
    switch (number) {
    case 1: paintLakeForeground(c); break;
    case 2: paintForestForeground(c); break;
    case 3: paintWinterForeground(c); break;
    default: paintMeadowForeground(c); break;
    }
}

// The torch frames are opaque; underneath them every landscape must show the very pixels the
// frames are cut from, so no seam can appear at their edges.
void restoreTorchPlaces(CCanvas& c, const SWall& wall)
{
    for (int left : {scene::kTorchLeftX, scene::kTorchRightX})
        for (int y = scene::kTorchY; y < scene::kTorchY + scene::kTorchH; ++y)
            for (int x = left; x < left + scene::kTorchW; ++x)
                c.at(x, y) = wall.reference(x, y);
}

// Snow lies on every top edge of the wall: its crown and the steps of its ruined ends. The
// torch frames begin below the crown, so they need no snow of their own.
void snowOnWall(CCanvas& c, const SWall& wall)
{
    for (int x = 1; x < scene::kWidth - 1; ++x)
        for (int y = 300; y < scene::kGroundY; ++y) {
            if (wall.alpha.at(x, y) <= 0 || wall.alpha.at(x, y - 1) > 0)
                continue;
            const float depth = 2.5f + 2.0f * fbm(x * 0.15f, static_cast<float>(y), 3501, 3);
            for (int k = -static_cast<int>(depth); k <= 1; ++k) {
                const float lit = clamp01(0.7f - 0.12f * k);
                c.blend(x, y + k, mix(rgb8(120, 136, 176), rgb8(226, 234, 250), lit), clamp01(depth + k + 0.5f));
            }
        }
}

} // namespace

void lightGroundByTorches(CCanvas& c, float strength)
{
    for (int y = scene::kGroundY - 14; y < 520; ++y)
        for (int x = 300; x < 600; ++x) {
            const SRgb light = torchLightAt({x + 0.5f, y + 0.5f}) * strength;
            c.at(x, y) = c.at(x, y) + c.at(x, y) * light + light * 0.03f;
        }
    // Where the light falls at the torches' feet it pools, warm even on dark ground.
    for (const float fx : {scene::kTorchLeftX + scene::kFlameX, scene::kTorchRightX + scene::kFlameX})
        addGlow(c, {fx, scene::kGroundY + 6.0f}, 24, kTorchColour * (strength * 0.1f), 1);
}

void groundTheDancer(CCanvas& c, int landscape, SRgb light, float lightStrength)
{
    const SVec2 pos = scene::dancerPosition(landscape);
    const SVec2 feet{pos.x + scene::kDancerW * 0.5f, pos.y + 167};
    for (int y = static_cast<int>(feet.y) - 40; y < static_cast<int>(feet.y) + 24; ++y)
        for (int x = static_cast<int>(feet.x) - 90; x < static_cast<int>(feet.x) + 90; ++x) {
            if (!c.contains(x, y))
                continue;
            const float dx = (x + 0.5f - feet.x) / 70, dy = (y + 0.5f - feet.y) / 16;
            const float pool = std::exp(-(dx * dx + dy * dy) * 1.5f);
            const float sx = (x + 0.5f - feet.x) / 30, sy = (y + 0.5f - feet.y - 1) / 5;
            const float shadow = std::exp(-(sx * sx + sy * sy) * 1.5f);
            c.at(x, y) = (c.at(x, y) + light * (pool * lightStrength)) * (1 - 0.45f * shadow);
        }
}

// The wall and gate throw a soft shadow on the ground, away from the moon or sun.
void castWallShadow(CCanvas& c, const SWall& wall, const SLandscapeStyle& style)
{
    constexpr int kLength = 30;
    for (int y = scene::kGroundY; y < scene::kGroundY + kLength; ++y) {
        const float depth = static_cast<float>(y - scene::kGroundY) / kLength;
        for (int x = 0; x < scene::kWidth; ++x) {
            const int from = x + static_cast<int>(style.lightFrom * (y - scene::kGroundY) * 1.6f);
            if (from < 0 || from >= scene::kWidth)
                continue;
            const bool standing = wall.alpha.at(from, scene::kGroundY - 1) > 0 ||
                                  (from >= scene::kGateX && from < scene::kGateX + scene::kGateW);
            if (standing)
                c.at(x, y) = c.at(x, y) * (1 - style.shadow * (1 - depth) * (1 - depth));
        }
    }
}

// The sky's own light along the wall's upper edges and on its end that faces the moon or sun;
// near the torches their light wins, so the torch frames still fit every landscape.
void rimLightWall(CCanvas& c, const SWall& wall, const SLandscapeStyle& style)
{
    for (int y = 300; y < scene::kGroundY; ++y)
        for (int x = 1; x < scene::kWidth - 1; ++x) {
            if (wall.alpha.at(x, y) <= 0)
                continue;
            const bool top = wall.alpha.at(x, y - 1) <= 0 || wall.alpha.at(x, y - 2) <= 0;
            const bool end = wall.alpha.at(x + static_cast<int>(style.lightFrom), y) <= 0;
            if (top || end)
                c.at(x, y) = screen(c.at(x, y), style.skyRim * (0.45f * wall.tintWeight.at(x, y)));
        }
}

CCanvas paintLandscape(int number, const SWall& wall)
{
    const SLandscapeStyle style = styleOf(number);
    CCanvas c(scene::kWidth, scene::kHeight);
    paintBackground(number, c);
    castWallShadow(c, wall, style);
    lightGroundByTorches(c, style.torchPool);
    paintWall(c, wall, style.wallAmbient);
    rimLightWall(c, wall, style);
    if (number == 3)
        snowOnWall(c, wall);
    paintForeground(number, c);
    vignette(c, style.vignette);
    restoreTorchPlaces(c, wall);
    return c;
}

} // namespace assetgen
