// Landscape 3: winter hills under the stars. The milky way and a faint aurora over snowy hills,
// a village with warm windows far off, snow-laden firs, and a snow field that glitters.
#include "pictures/Landscapes.h"

namespace assetgen {

namespace {

const SVec2 kMoon{628, 96};
const SRgb kSnowLit = rgb8(214, 226, 246);
const SRgb kSnowShade = rgb8(92, 112, 158);

float milkyWay(float x, float y)
{
    // A band from the upper left down to the right.
    const float d = (y - (40 + x * 0.32f)) / 70;
    return std::exp(-d * d);
}

void paintSky(CCanvas& c)
{
    paintVerticalGradient(c, {{0, rgb8(5, 8, 24)}, {150, rgb8(14, 24, 58)}, {260, rgb8(32, 52, 96)},
                              {330, rgb8(58, 84, 128)}},
                          0, 420);
    for (int y = 0; y < 330; ++y)
        for (int x = 0; x < 800; ++x) {
            const float band = milkyWay(static_cast<float>(x), static_cast<float>(y));
            const float n = fbm(x * 0.02f, y * 0.03f, 301, 5);
            const float dust = smoothstep(0.55f, 0.75f, fbm(x * 0.03f, y * 0.05f, 302, 4));
            c.at(x, y) += rgb8(90, 96, 140) * (band * (0.25f * n) * (1 - 0.7f * dust));
            // Aurora curtains: vertical streaks, brightest at their lower hem.
            const float curtain = fbm(x * 0.012f, 1.3f, 303, 4);
            const float hem = 150 + 60 * curtain;
            const float rays = 0.6f + 0.4f * fbm(x * 0.15f, 3.1f, 304, 2);
            const float height = clamp01((hem - y) / 110) * smoothstep(0, 8, hem - y);
            const float aurora = height * std::exp(-(hem - y) / 60) * rays * smoothstep(0.45f, 0.7f, curtain);
            c.at(x, y) += mix(rgb8(40, 200, 150), rgb8(140, 80, 200), clamp01((hem - y) / 100)) * (aurora * 0.5f);
        }
    paintStars(c, {1500, 0, 330, 0.9f, 305, [](float x, float y) { return 0.35f + 0.65f * milkyWay(x, y); }});
    paintStars(c, {2500, 0, 330, 0.35f, 306, [](float x, float y) { return milkyWay(x, y); }});
    paintMoon(c, kMoon, 18, rgb8(250, 248, 235), 0.35f, 0.62f);
}

// Snow on a hill: lit where the slope faces the moon, blue in the hollows.
SRgb snowAt(float x, float y, float slope, float distance)
{
    const float n = fbm(x * 0.03f, y * 0.06f, 310, 4);
    const float lit = clamp01(0.55f + slope * 2.2f + (n - 0.5f) * 0.5f);
    const SRgb snow = mix(kSnowShade, kSnowLit, lit);
    return hazed(snow, rgb8(70, 96, 140), distance);
}

void paintHills(CCanvas& c)
{
    const auto far = ridgeLine(330, 60, 0.005f, 311, 5);
    paintBelow(c, far, [far](float x, float y) {
        const float below = y - far(x);
        const float slope = (far(x - 14) - far(x + 14)) / 28 * std::exp(-below / 22);
        return snowAt(x, y, -slope, 0.6f - 0.004f * below);
    });
    // The village on the far hill, windows warm.
    const float hill = far(120);
    CRandom rng(312);
    for (int i = 0; i < 9; ++i) {
        const float x = 70 + i * 12 + rng.range(-3, 3);
        const float h = rng.range(6, 11);
        const float base = far(x) + 4;
        const SRgb house = rgb8(40, 48, 76);
        paintSdf(c, x - 6, base - h - 6, x + 6, base + 1, [=](SVec2 p) {
            const std::vector<SVec2> shape{{x - 5, base}, {x - 5, base - h}, {x, base - h - 5}, {x + 5, base - h}, {x + 5, base}};
            return sdPolygon(p, shape);
        }, [house](SVec2) { return house; });
        paintSdf(c, x - 6, base - h - 6, x + 6, base - h + 1, [=](SVec2 p) {
            return sdTaperedCapsule(p, {x - 5.5f, base - h + 0.5f}, {x, base - h - 5}, 0.9f, 0.9f) * 1.0f;
        }, [](SVec2) { return rgb8(200, 214, 240); });
        if (i % 2 == 0)
            addGlow(c, {x + 1, base - h * 0.45f}, 0.8f, rgb8(255, 196, 110), 1.3f);
    }
    paintSdf(c, 116, hill - 40, 126, hill + 2, [hill](SVec2 p) {
        const std::vector<SVec2> spire{{118, hill}, {118, hill - 18}, {121, hill - 36}, {124, hill - 18}, {124, hill}};
        return sdPolygon(p, spire);
    }, [](SVec2) { return rgb8(38, 46, 74); });
    addGlow(c, {121, hill - 12}, 1.0f, rgb8(255, 200, 120), 1.2f);

    const auto mid = ridgeLine(392, 44, 0.0036f, 313, 4);
    paintBelow(c, mid, [mid](float x, float y) {
        const float slope = (mid(x - 14) - mid(x + 14)) / 28 * std::exp(-(y - mid(x)) / 30);
        const float depth = clamp01((y - 380) / 220);
        return snowAt(x, y, -slope * (1 - depth), 0.15f - 0.15f * depth) * (1 - 0.35f * depth);
    });
}

void paintTrodden(CCanvas& c)
{
    for (int y = scene::kGroundY; y < 600; ++y)
        for (int x = 300; x < 620; ++x) {
            const float t = (y - scene::kGroundY) / 182.0f;
            const float centre = 446 - 50 * t * t;
            const float half = 14 + 40 * t;
            const float n = fbm(x * 0.1f, y * 0.1f, 320, 3);
            const float d = std::abs(x + 0.5f - centre) + (n - 0.5f) * 8;
            const float groove = smoothstep(half, half - 8, d);
            const float bank = smoothstep(half + 6, half, d) * (1 - groove);
            c.at(x, y) = mix(c.at(x, y), c.at(x, y) * rgb8(190, 200, 240), groove * 0.35f) + SRgb{0.04f, 0.04f, 0.05f} * bank;
        }
}

void paintFirs(CCanvas& c)
{
    CRandom rng(330);
    struct SSpot {
        float x, base, height;
    };
    const std::vector<SSpot> spots{{30, 420, 150},  {86, 402, 110},  {128, 398, 80},  {250, 378, 40},
                                  {272, 380, 34},  {600, 384, 44},  {640, 392, 70},  {700, 440, 170},
                                  {756, 470, 230}, {796, 452, 190}, {-10, 470, 210}, {664, 398, 52}};
    for (const SSpot& s : spots) {
        SConifer tree{{s.x, s.base}, s.height, s.height * 0.42f, rgb8(12, 20, 30), rgb8(40, 56, 80), -1, 0.85f,
                     static_cast<uint32_t>(rng.next())};
        paintConifer(c, tree);
    }
}

} // namespace

void paintWinterBackground(CCanvas& c)
{
    paintSky(c);
    paintHills(c);
    paintTrodden(c);
}

void paintWinterForeground(CCanvas& c)
{
    paintFirs(c);
    CRandom rng(340);
    // Glittering snow crystals.
    for (int i = 0; i < 420; ++i) {
        const SVec2 p{rng.range(0, 800), rng.range(400, 600)};
        if (p.x > 130 && p.x < 660 && p.y > 500)
            continue;
        const float b = rng.range(0.2f, 0.9f);
        c.add(static_cast<int>(p.x), static_cast<int>(p.y), rgb8(230, 240, 255) * b);
        if (b > 0.75f)
            addGlow(c, p, 1.2f, rgb8(200, 220, 255), 0.4f);
    }
    groundTheDancer(c, 3, rgb8(150, 170, 230), 0.05f);
}

} // namespace assetgen
