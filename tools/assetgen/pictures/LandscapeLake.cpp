// Landscape 1: a moonlit lake. Mountains and a castle on the far shore, the moon's path on the
// water behind the dancer, reeds and a willow framing the near bank.
#include "pictures/Landscapes.h"

namespace assetgen {

namespace {

constexpr int kWaterline = 300;
const SVec2 kMoon{296, 122};
const SRgb kMoonColour = rgb8(255, 246, 222);
const SRgb kHaze = rgb8(70, 72, 122);

float shoreLine(float x)
{
    // The bank rises under the wall and falls gently toward the water elsewhere.
    const float underWall = smoothstep(250, 330, x) * (1 - smoothstep(580, 660, x));
    const float far = 430 + 10 * std::sin(x * 0.011f) + 6 * (fbm(x * 0.02f, 1, 311, 3) - 0.5f);
    return mixf(far, 404 + 2 * fbm(x * 0.05f, 2, 312, 2), underWall);
}

void paintSky(CCanvas& c)
{
    paintVerticalGradient(c, {{0, rgb8(8, 10, 30)}, {150, rgb8(22, 26, 64)}, {250, rgb8(52, 54, 106)},
                              {kWaterline, rgb8(96, 88, 140)}},
                          0, kWaterline + 1);
    paintStars(c, {1100, 0, kWaterline, 0.9f, 101, [](float x, float y) {
                       // Thinner near the moon's glare.
                       const float d = length(SVec2{x, y} - kMoon);
                       return smoothstep(40, 170, d);
                   }});
    paintMoon(c, kMoon, 30, kMoonColour, 0.55f);
    SCloudLayer wisps{150, 290, 0.0045f, 0.035f, 0.58f, 0.8f, 102, [](float x, float y, float thick) {
                         const float near = std::exp(-length(SVec2{x, y} - kMoon) / 160);
                         const SRgb lit = mix(rgb8(90, 92, 140), rgb8(220, 214, 230), near);
                         return mix(lit, rgb8(36, 38, 76), thick * 0.6f);
                     }};
    paintClouds(c, wisps);
}

void paintFarShore(CCanvas& c)
{
    const auto far = ridgeLine(286, 95, 0.0042f, 301, 6);
    paintBelow(c, far, [far](float x, float y) {
        const float rim = smoothstep(3, 0, y - far(x)) * 0.12f;
        return hazed(rgb8(48, 52, 96), kHaze, 0.35f) + rgb8(120, 120, 150) * rim;
    });
    const auto near = ridgeLine(300, 34, 0.009f, 302, 5);
    paintBelow(c, near, [](float, float y) { return mix(rgb8(26, 28, 58), rgb8(20, 22, 46), (y - 270) / 30); });
    // A castle on the right-hand hill, with a few warm windows.
    const float hill = near(660);
    const SRgb stone = rgb8(24, 26, 52);
    auto tower = [&c, stone](float cx, float top, float bottom, float w, bool roof) {
        paintSdf(c, cx - w - 2, top - 14, cx + w + 2, bottom, [=](SVec2 p) {
            const float body = sdRoundBox(p, {cx, (top + bottom) / 2}, {w, (bottom - top) / 2}, 0.3f);
            if (!roof)
                return body;
            const std::vector<SVec2> cone{{cx - w - 1.5f, top}, {cx + w + 1.5f, top}, {cx, top - 13}};
            return std::min(body, sdPolygon(p, cone));
        }, [stone](SVec2) { return stone; });
    };
    tower(640, hill - 30, hill + 2, 4, true);
    tower(662, hill - 20, hill + 2, 14, false);
    tower(684, hill - 38, hill + 2, 5, true);
    tower(652, hill - 24, hill - 18, 3, false);
    for (const SVec2 w : {SVec2{640, hill - 22}, SVec2{684, hill - 29}, SVec2{660, hill - 12}, SVec2{668, hill - 12}})
        addGlow(c, w, 0.8f, rgb8(255, 190, 110), 1.1f);
}

void paintWater(CCanvas& c)
{
    paintReflection(c, kWaterline + 1, 460, 0.72f, rgb8(4, 8, 18), 303);
    // The moon's path: glittering where small waves face it.
    for (int y = kWaterline + 1; y < 460; ++y) {
        const float depth = (y - kWaterline) / 160.0f;
        const float halfWidth = 8 + 70 * depth;
        for (int x = static_cast<int>(kMoon.x - halfWidth * 2); x < static_cast<int>(kMoon.x + halfWidth * 2); ++x) {
            if (!c.contains(x, y))
                continue;
            const float across = std::abs(x + 0.5f - kMoon.x) / halfWidth;
            const float n = fbm(x * 0.09f, y * 0.6f, 304, 3);
            const float glint = smoothstep(0.6f, 0.78f, n) * std::exp(-across * across * 1.4f);
            c.at(x, y) += kMoonColour * (glint * (0.85f - 0.3f * depth));
            c.at(x, y) += rgb8(120, 120, 160) * (0.08f * std::exp(-across * across));
        }
    }
}

void paintBank(CCanvas& c)
{
    paintBelow(c, shoreLine, [](float x, float y) {
        const float edge = smoothstep(3, 0, y - shoreLine(x));
        const float n = fbm(x * 0.03f, y * 0.06f, 320, 4);
        const float clumps = smoothstep(0.45f, 0.75f, fbm(x * 0.05f, y * 0.12f, 319, 4));
        SRgb grass = mix(rgb8(16, 28, 32), rgb8(28, 44, 50), n);
        grass = mix(grass, rgb8(46, 62, 76), clumps * 0.5f) * (1 - 0.45f * clamp01((y - 420) / 180));
        return grass + rgb8(120, 130, 170) * (edge * 0.35f);
    });
    // Stepping stones lead from the gate's steps toward the viewer.
    for (int i = 0; i < 7; ++i) {
        const float t = i / 6.0f;
        const SVec2 at{446 - 34 * t * t + (i % 2 ? 9.0f : -9.0f) * (0.5f + t), 426 + 178 * std::pow(t, 1.15f)};
        const float rx = 10 + 28 * t, ry = 3.2f + 8.5f * t;
        paintSdf(c, at.x - rx - 2, at.y - ry - 2, at.x + rx + 2, at.y + ry + 3,
                 [=](SVec2 p) {
                     const float wobble = (fbm(p.x * 0.15f, p.y * 0.15f, 322 + i, 2) - 0.5f) * 3;
                     return sdEllipse(p, at, rx, ry) + wobble;
                 },
                 [=](SVec2 p) {
                     const float top = clamp01((at.y - p.y) / ry * 0.7f + 0.5f);
                     const float n = fbm(p.x * 0.3f, p.y * 0.3f, 323, 3);
                     const SRgb stone = rgb8(58, 62, 74) * (0.75f + 0.5f * n) * (0.7f + 0.6f * top);
                     return stone + stone * torchLightAt(p) * 1.4f;
                 });
    }
}

// A weeping willow: a leaning trunk and long hanging strands of small leaves, lit from the moon.
void paintWillow(CCanvas& c, SVec2 base, float height, uint32_t seed)
{
    const SVec2 top{base.x - 26, base.y - height * 0.62f};
    paintSdf(c, top.x - 12, top.y - 4, base.x + 12, base.y + 2,
             [=](SVec2 p) {
                 return std::min(sdTaperedCapsule(p, base, top, 7, 3.5f),
                                 sdTaperedCapsule(p, lerp(base, top, 0.6f), top + SVec2{40, -20}, 3, 1.5f));
             },
             [](SVec2) { return rgb8(10, 12, 16); });
    CRandom rng(seed);
    for (int i = 0; i < 150; ++i) {
        const SVec2 s{top.x + rng.range(-90, 80), top.y + rng.range(-50, 20) + 0.004f * (top.x - base.x) * 0};
        const float out = rng.range(-22, 22);
        const float len = rng.range(60, 170);
        const float lit = clamp01((top.x + 40 - s.x) / 130) * rng.range(0.4f, 1.0f);
        const SRgb leaf = mix(rgb8(10, 16, 20), rgb8(70, 90, 116), lit * lit);
        SVec2 prev = s;
        for (int k = 1; k <= 16; ++k) {
            const float t = k / 16.0f;
            const SVec2 p{s.x + out * std::sin(t * 1.57f) + rng.range(-0.6f, 0.6f), s.y - 14 * std::sin(t * 3.1f) + len * t * t};
            paintSdf(c, std::min(prev.x, p.x) - 3, std::min(prev.y, p.y) - 3, std::max(prev.x, p.x) + 3, std::max(prev.y, p.y) + 3,
                     [=](SVec2 q) { return sdSegment(q, prev, p) - 0.45f; }, [=](SVec2) { return leaf * 0.8f; });
            for (int side = -1; side <= 1; side += 2) {
                const SVec2 tip = p + SVec2{side * rng.range(1.5f, 3.0f), rng.range(2.0f, 4.0f)};
                paintSdf(c, std::min(p.x, tip.x) - 2, p.y - 2, std::max(p.x, tip.x) + 2, tip.y + 2,
                         [=](SVec2 q) { return sdTaperedCapsule(q, p, tip, 0.9f, 0.3f); }, [=](SVec2) { return leaf; });
            }
            prev = p;
        }
    }
}

void paintReeds(CCanvas& c, CRandom& rng, float x0, float x1)
{
    for (int i = 0; i < 46; ++i) {
        const float x = rng.range(x0, x1);
        const float base = shoreLine(x) + rng.range(4, 20);
        const float h = rng.range(30, 70);
        const float lean = rng.range(-8, 8);
        const SVec2 a{x, base}, tip{x + lean, base - h};
        paintSdf(c, std::min(a.x, tip.x) - 3, tip.y - 3, std::max(a.x, tip.x) + 3, base + 1,
                 [=](SVec2 p) { return sdTaperedCapsule(p, a, tip, 1.0f, 0.3f); },
                 [](SVec2) { return rgb8(10, 16, 18); });
        if (i % 3 == 0) {
            const SVec2 head = lerp(a, tip, 0.8f);
            paintSdf(c, head.x - 4, head.y - 8, head.x + 4, head.y + 8,
                     [=](SVec2 p) { return sdTaperedCapsule(p, head + SVec2{0, 5}, head - SVec2{lean * 0.08f, 5}, 2.0f, 1.8f); },
                     [](SVec2) { return rgb8(22, 16, 14); });
        }
    }
}

} // namespace

void paintLakeBackground(CCanvas& c)
{
    paintSky(c);
    paintFarShore(c);
    paintWater(c);
    paintBank(c);
    CRandom rng(330);
    paintReeds(c, rng, 0, 150);
    paintReeds(c, rng, 620, 700);
}

void paintLakeForeground(CCanvas& c)
{
    // A willow at the right edge frames the view; its crown catches the moon on the left.
    paintWillow(c, {760, 462}, 300, 331);
    CRandom rng(332);
    paintGrassBlades(c, rng, 700, 440, 600, 0, 800, rgb8(8, 14, 16), rgb8(44, 60, 70), 20);
    // Pale night flowers in the grass.
    for (int i = 0; i < 60; ++i) {
        const SVec2 p{rng.range(0, 800), rng.range(450, 600)};
        if (p.x > 130 && p.x < 660 && p.y > 500)
            continue; // keep the answer box's surroundings calm
        addGlow(c, p, 1.1f, rgb8(230, 230, 250), 0.5f);
    }
    paintSparks(c, rng, 14, 20, 360, 180, 460, rgb8(200, 255, 150), 0.9f);
    paintSparks(c, rng, 10, 600, 380, 760, 470, rgb8(200, 255, 150), 0.9f);
    groundTheDancer(c, 1, rgb8(160, 170, 220), 0.10f);
}

} // namespace assetgen
