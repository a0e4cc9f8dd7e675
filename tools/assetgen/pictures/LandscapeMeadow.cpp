// Landscape 4: a summer meadow at sunset. The sun sinks behind violet hills to the left, behind
// the dancer; poplars stand on the ridge; poppies and daisies fill the grass; fireflies wake.
#include "pictures/Landscapes.h"

namespace assetgen {

namespace {

const SVec2 kSun{238, 304};
const SRgb kSunColour = rgb8(255, 214, 140);

void paintSky(CCanvas& c)
{
    paintVerticalGradient(c, {{0, rgb8(40, 44, 104)}, {110, rgb8(98, 70, 132)}, {200, rgb8(206, 110, 132)},
                              {270, rgb8(246, 150, 110)}, {330, rgb8(255, 196, 120)}},
                          0, 440);
    paintStars(c, {60, 0, 90, 0.45f, 401, nullptr});
    addGlow(c, kSun, 240, rgb8(255, 150, 90), 0.35f);
    addGlow(c, kSun, 80, kSunColour, 0.45f);
    // Long clouds, gold on their undersides near the sun, rose further off.
    SCloudLayer bands{90, 270, 0.0028f, 0.045f, 0.52f, 0.9f, 402, [](float x, float y, float thick) {
                         const float near = std::exp(-length(SVec2{x, y} - kSun) / 300);
                         const SRgb under = mix(rgb8(200, 90, 120), rgb8(255, 190, 120), near);
                         return mix(under, rgb8(96, 58, 110), thick * 0.7f);
                     }};
    paintClouds(c, bands);
    paintSdf(c, kSun.x - 26, kSun.y - 26, kSun.x + 26, kSun.y + 26,
             [](SVec2 p) { return sdCircle(p, kSun, 22); },
             [](SVec2 p) { return mix(rgb8(255, 250, 220), kSunColour, clamp01(length(p - kSun) / 22)); });
}

void paintHills(CCanvas& c)
{
    const auto farthest = ridgeLine(326, 40, 0.006f, 410, 5);
    paintBelow(c, farthest, [](float x, float) {
        return mix(rgb8(196, 112, 128), rgb8(255, 170, 120), std::exp(-std::abs(x - kSun.x) / 160) * 0.5f);
    });
    const auto far = ridgeLine(346, 40, 0.0045f, 411, 5);
    paintBelow(c, far, [](float, float y) { return mix(rgb8(140, 78, 116), rgb8(112, 64, 98), clamp01((y - 300) / 60)); });
    // Poplars and a round tree on the ridge, in the light's haze.
    const auto near = ridgeLine(396, 24, 0.006f, 412, 4);
    CRandom rng(413);
    for (const float x : {528.0f, 543.0f, 560.0f, 690.0f, 705.0f}) {
        const float base = near(x) + 2;
        const float h = rng.range(40, 62);
        paintSdf(c, x - 8, base - h - 2, x + 8, base + 1,
                 [=](SVec2 p) { return sdEllipse(p, {x, base - h * 0.5f}, 4.2f, h * 0.5f); },
                 [](SVec2) { return rgb8(80, 46, 72); });
    }
    paintBelow(c, near, [near](float x, float y) {
        const float depth = clamp01((y - near(x)) / 200);
        const float n = fbm(x * 0.02f, y * 0.05f, 414, 5);
        const float rim = smoothstep(4, 0, y - near(x));
        const SRgb grass = mix(rgb8(92, 84, 40), rgb8(130, 112, 50), n);
        const float glow = std::exp(-length(SVec2{x, y} - kSun) / 220);
        return grass * (0.75f - 0.45f * depth) + kSunColour * (glow * 0.3f * (1 - depth) + rim * 0.35f);
    });
}

void paintPath(CCanvas& c)
{
    for (int y = scene::kGroundY; y < 600; ++y)
        for (int x = 300; x < 620; ++x) {
            const float t = (y - scene::kGroundY) / 182.0f;
            const float centre = 446 + 36 * t * t;
            const float half = 16 + 56 * t;
            const float n = fbm(x * 0.08f, y * 0.08f, 420, 3);
            const float on = smoothstep(half, half - 12, std::abs(x + 0.5f - centre) + (n - 0.5f) * 14);
            c.at(x, y) = mix(c.at(x, y), rgb8(112, 84, 60) * (0.6f + 0.5f * n) * (1 - 0.4f * t), on * 0.5f);
        }
}

void paintFlowers(CCanvas& c, CRandom& rng)
{
    for (int i = 0; i < 420; ++i) {
        const SVec2 p{rng.range(0, 800), rng.range(400, 600)};
        if (p.x > 120 && p.x < 670 && p.y > 495)
            continue;
        const float depth = (p.y - 400) / 200;
        const float r = 0.6f + 2.2f * depth * rng.range(0.6f, 1.0f);
        const bool poppy = rng.uniform() < 0.6f;
        const SRgb petal = poppy ? rgb8(220, 40, 30) : rgb8(240, 232, 214);
        const float shade = 0.55f + 0.45f * rng.uniform();
        paintSdf(c, p.x - r - 1, p.y - r - 1, p.x + r + 1, p.y + r + 1, [=](SVec2 q) { return sdEllipse(q, p, r, r * 0.75f); },
                 [=](SVec2 q) { return petal * (shade * (0.8f + 0.35f * clamp01((p.y - q.y) / r + 0.5f))); });
        if (!poppy && r > 1.4f)
            addGlow(c, p, r * 0.35f, rgb8(255, 200, 60), 0.6f);
    }
}

} // namespace

void paintMeadowBackground(CCanvas& c)
{
    paintSky(c);
    paintHills(c);
    paintPath(c);
}

void paintMeadowForeground(CCanvas& c)
{
    CRandom rng(430);
    paintGrassBlades(c, rng, 1400, 420, 600, 0, 800, rgb8(40, 44, 18), rgb8(150, 130, 60), 26);
    paintFlowers(c, rng);
    // A lone oak at the left edge, its crown in the sunset light.
    SLeafTree oak{{40, 476}, 290, 100, rgb8(30, 20, 22), rgb8(34, 26, 30), rgb8(190, 110, 80), 1, 431, 1};
    paintLeafTree(c, oak);
    paintSparks(c, rng, 24, 100, 380, 780, 480, rgb8(255, 236, 140), 0.8f);
    groundTheDancer(c, 4, kSunColour, 0.06f);
}

} // namespace assetgen
