#include "pictures/Landscapes.h"

#include "pictures/Noise.h"
#include "pictures/Parts.h"

namespace assetgen {

namespace {

LandscapeStyle styleOf(int number)
{
    switch (number) {
    case 1: return {rgb8(70, 84, 124), rgb8(30, 44, 46), 0.42f};
    case 2: return {rgb8(104, 74, 82), rgb8(60, 36, 24), 0.40f};
    case 3: return {rgb8(78, 96, 134), rgb8(120, 136, 170), 0.38f};
    default: return {rgb8(136, 98, 92), rgb8(58, 60, 30), 0.30f};
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
void restoreTorchPlaces(CCanvas& c, const CWall& wall)
{
    for (int left : {scene::kTorchLeftX, scene::kTorchRightX})
        for (int y = scene::kTorchY; y < scene::kTorchY + scene::kTorchH; ++y)
            for (int x = left; x < left + scene::kTorchW; ++x)
                c.at(x, y) = wall.reference(x, y);
}

// Snow lies on every top edge of the wall: its crown and the steps of its ruined ends. The
// torch frames begin below the crown, so they need no snow of their own.
void snowOnWall(CCanvas& c, const CWall& wall)
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
            const Rgb light = torchLightAt({x + 0.5f, y + 0.5f}) * strength;
            c.at(x, y) = c.at(x, y) + c.at(x, y) * light + light * 0.03f;
        }
}

void groundTheDancer(CCanvas& c, int landscape, Rgb light, float lightStrength)
{
    const Vec2 pos = scene::dancerPosition(landscape);
    const Vec2 feet{pos.x + scene::kDancerW * 0.5f, pos.y + 167};
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

CCanvas paintLandscape(int number, const CWall& wall)
{
    const LandscapeStyle style = styleOf(number);
    CCanvas c(scene::kWidth, scene::kHeight);
    paintBackground(number, c);
    lightGroundByTorches(c, 1.1f);
    paintWall(c, wall, style.wallAmbient);
    if (number == 3)
        snowOnWall(c, wall);
    paintForeground(number, c);
    vignette(c, style.vignette);
    restoreTorchPlaces(c, wall);
    return c;
}

} // namespace assetgen
