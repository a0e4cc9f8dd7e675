// Landscape 2: an autumn forest at dusk. The last light glows low between the trunks behind
// the gate; red and golden crowns close over the top; leaves lie on the clearing where the
// dancer stands on the right.
#include "pictures/Landscapes.h"

namespace assetgen {

namespace {

const SVec2 kGlow{440, 330};
const SRgb kDusk = rgb8(255, 170, 110);
constexpr float kFloor = 388;

// The top of a row of crowns: many round crowns of random size, side by side and overlapping.
std::vector<float> crownRow(float base, float minRadius, float maxRadius, uint32_t seed)
{
    std::vector<float> top(800, base);
    CRandom rng(seed);
    for (float x = -40; x < 840;) {
        const float r = rng.range(minRadius, maxRadius);
        const float cy = base - rng.range(0.2f, 1.4f) * r;
        for (int col = std::max(0, static_cast<int>(x - r)); col < std::min(800, static_cast<int>(x + r) + 1); ++col) {
            const float dx = col + 0.5f - x;
            if (std::abs(dx) < r)
                top[col] = std::min(top[col], cy - std::sqrt(r * r - dx * dx));
        }
        x += r * rng.range(0.7f, 1.3f);
    }
    for (int col = 0; col < 800; ++col)
        top[col] -= 5 * (fbm(col * 0.18f, base, seed + 1, 3) - 0.5f); // leafy, not smooth
    return top;
}

void paintSky(CCanvas& c)
{
    paintVerticalGradient(c, {{0, rgb8(30, 22, 54)}, {120, rgb8(76, 44, 88)}, {220, rgb8(170, 92, 108)},
                              {300, rgb8(236, 140, 100)}, {360, rgb8(252, 190, 120)}},
                          0, 420);
    addGlow(c, kGlow, 150, kDusk, 0.45f);
    addGlow(c, kGlow, 50, rgb8(255, 220, 160), 0.5f);
    paintStars(c, {90, 0, 150, 0.5f, 201, nullptr});
    SCloudLayer streaks{150, 300, 0.003f, 0.05f, 0.55f, 0.8f, 202, [](float x, float y, float thick) {
                           const float near = std::exp(-length(SVec2{x, y} - kGlow) / 260);
                           return mix(mix(rgb8(120, 60, 90), rgb8(255, 160, 120), near), rgb8(90, 50, 80), thick * 0.5f);
                       }};
    paintClouds(c, streaks);
}

void paintDistantForest(CCanvas& c)
{
    const SRgb haze = rgb8(206, 128, 120);
    const std::vector<float> far = crownRow(318, 10, 22, 211);
    paintBelow(c, [&far](float x) { return far[std::clamp(static_cast<int>(x), 0, 799)]; },
               [haze](float, float y) { return hazed(rgb8(120, 70, 96), haze, 0.5f - 0.002f * (y - 290)); });
    // The forest's edge: a wall of crowns, hazy undergrowth beneath and dark trunks in it.
    const std::vector<float> edge = crownRow(350, 12, 22, 212);
    const SRgb crown = hazed(rgb8(76, 42, 66), haze, 0.25f);
    const SRgb under = hazed(rgb8(110, 62, 80), haze, 0.35f);
    paintBelow(c, [&edge](float x) { return edge[std::clamp(static_cast<int>(x), 0, 799)]; },
               [&edge, crown, under](float x, float y) {
                   const float below = clamp01((y - edge[std::clamp(static_cast<int>(x), 0, 799)] - 18) / 30);
                   const float n = fbm(x * 0.08f, y * 0.08f, 215, 3);
                   return mix(crown, under, below * (0.6f + 0.5f * n));
               });
    CRandom rng(213);
    for (int i = 0; i < 44; ++i) {
        const float x = rng.range(0, 800);
        const float w = rng.range(0.8f, 2.4f);
        const float top = edge[std::clamp(static_cast<int>(x), 0, 799)] + 12;
        paintSdf(c, x - 4, top, x + 4, kFloor + 4, [=](SVec2 p) { return std::abs(p.x - x) - w; },
                 [crown](SVec2) { return crown * 0.8f; });
    }
}

void paintFloor(CCanvas& c)
{
    paintBelow(c, [](float x) { return kFloor + 4 * std::sin(x * 0.02f); }, [](float x, float y) {
        const float depth = clamp01((y - kFloor) / 212);
        const float n = fbm(x * 0.04f, y * 0.09f, 221, 5);
        const float leaves = smoothstep(0.35f, 0.7f, fbm(x * 0.16f, y * 0.32f, 222, 4));
        SRgb ground = mix(rgb8(92, 48, 36), rgb8(150, 76, 40), n);
        ground = mix(ground, rgb8(176, 100, 42), leaves * 0.5f);
        const float litter = fbm(x * 0.5f, y * 0.9f, 224, 2);
        ground = ground * (0.8f + 0.4f * litter);
        // Far ground catches the dusk; near ground lies in the trees' shadow.
        const float lit = std::exp(-length(SVec2{x, y} - SVec2{kGlow.x, kFloor}) / 170) * (1 - depth);
        // Patches of moss between the leaves.
        const float moss = smoothstep(0.55f, 0.75f, fbm(x * 0.012f, y * 0.03f, 225, 4));
        ground = mix(ground, rgb8(70, 70, 40), moss * 0.6f);
        return ground * (0.52f - 0.34f * depth) + kDusk * (lit * 0.4f);
    });
    // A path of bare earth toward the gate.
    for (int y = scene::kGroundY; y < 600; ++y)
        for (int x = 300; x < 620; ++x) {
            const float t = (y - scene::kGroundY) / 182.0f;
            const float centre = 446 + 10 * std::sin(t * 3);
            const float half = 20 + 70 * t;
            const float n = fbm(x * 0.07f, y * 0.07f, 223, 3);
            const float on = smoothstep(half, half - 14, std::abs(x + 0.5f - centre) + (n - 0.5f) * 18);
            c.at(x, y) = mix(c.at(x, y), rgb8(70, 44, 36) * (0.7f + 0.5f * n), on * 0.45f);
        }
}

void paintMist(CCanvas& c, float centre, float thickness, float strength)
{
    for (int y = static_cast<int>(centre - thickness * 2); y < static_cast<int>(centre + thickness * 2); ++y)
        for (int x = 0; x < 800; ++x) {
            const float band = std::exp(-((y - centre) / thickness) * ((y - centre) / thickness));
            const float n = fbm(x * 0.006f, y * 0.04f, 231, 4);
            const float a = band * smoothstep(0.35f, 0.7f, n) * strength;
            if (c.contains(x, y))
                c.at(x, y) = mix(c.at(x, y), rgb8(230, 160, 150), a);
        }
}

void paintBough(CCanvas& c, SVec2 a, SVec2 b, float ra, float rb)
{
    paintSdf(c, std::min(a.x, b.x) - ra - 2, std::min(a.y, b.y) - ra - 2, std::max(a.x, b.x) + ra + 2, std::max(a.y, b.y) + ra + 2,
             [=](SVec2 p) { return sdTaperedCapsule(p, a, b, ra, rb); }, [](SVec2) { return rgb8(30, 20, 24); });
}

void paintBranch(CCanvas& c, SVec2 from, SVec2 to, float width)
{
    const SVec2 bend = lerp(from, to, 0.5f) + SVec2{0, -std::abs(to.x - from.x) * 0.15f};
    paintBough(c, from, bend, width, width * 0.7f);
    paintBough(c, bend, to, width * 0.7f, width * 0.3f);
}

void paintTrunk(CCanvas& c, float x, float width, float lean, uint32_t seed)
{
    // Boughs reach from the trunk up into the canopy.
    const float side = x < 430 ? 1.0f : -1.0f;
    const SVec2 at = SVec2{x + lean * 0.55f, 230};
    paintBranch(c, at, at + SVec2{side * width * 2.2f, -width * 2.4f}, width * 0.22f);
    paintBranch(c, at + SVec2{0, -60}, at + SVec2{-side * width * 1.6f, -width * 3.0f - 60}, width * 0.18f);
    const SVec2 foot{x, 500 + width};
    const SVec2 top{x + lean, -20};
    paintSdf(c, std::min(foot.x, top.x) - width * 2, -20, std::max(foot.x, top.x) + width * 2, foot.y + 4,
             [=](SVec2 p) {
                 const float bark = (fbm(p.y * 0.05f, x, seed, 3) - 0.5f) * width * 0.3f;
                 const float rise = std::max(0.0f, p.y - (foot.y - 30)) / 30;
                 const float root = rise * rise * width * 0.45f;
                 return sdTaperedCapsule(p, foot, top, width * 0.5f + root, width * 0.38f) + bark;
             },
             [=](SVec2 p) {
                 // Bark grooves, and the dusk catching the trunk's inner side.
                 const float across = (p.x - lerp(foot, top, (foot.y - p.y) / (foot.y - top.y)).x) / (width * 0.5f);
                 const float groove = fbm(p.x * 0.4f, p.y * 0.03f, seed + 1, 3);
                 const float rim = smoothstep(0.3f, 1.0f, (kGlow.x > x ? across : -across));
                 const SRgb bark = rgb8(34, 24, 26) * (0.7f + 0.6f * groove);
                 return bark + rgb8(200, 110, 80) * (rim * 0.35f * clamp01((p.y - 150) / 300));
             });
}

// The canopy: leaf masses hanging into the picture from above, darkest where they are thickest.
void paintCanopy(CCanvas& c)
{
    for (int y = 0; y < 340; ++y)
        for (int x = 0; x < 800; ++x) {
            const float centre = std::abs(x - 430.0f) / 430.0f;
            const float reach = 60 + 200 * std::pow(centre, 1.3f);
            const float n = fbm(x * 0.012f, y * 0.012f, 241, 5);
            const float fine = fbm(x * 0.09f, y * 0.09f, 242, 3);
            const float edge = (reach - y) / 90 + (n - 0.5f) * 1.4f + (fine - 0.5f) * 0.35f;
            const float a = smoothstep(0.0f, 0.08f, edge);
            if (a <= 0)
                continue;
            const float here = fbm(x * 0.07f, y * 0.07f, 243, 4);
            const float there = fbm((x - 2) * 0.07f, (y + 2.5f) * 0.07f, 243, 4);
            const float emboss = clamp01((here - there) * 8 + 0.5f);
            const float hue = fbm(x * 0.02f, y * 0.02f, 244, 3);
            const SRgb leaf = hue < 0.45f ? mix(rgb8(120, 26, 22), rgb8(196, 70, 26), hue / 0.45f)
                                         : mix(rgb8(196, 70, 26), rgb8(222, 150, 40), (hue - 0.45f) / 0.55f);
            const float depth = clamp01(edge * 0.6f);
            const SRgb shade = leaf * (0.25f + 0.75f * emboss) * (1 - 0.65f * depth);
            c.blend(x, y, shade, a);
        }
}

void paintFallingLeaves(CCanvas& c, CRandom& rng, int count, float y0, float y1)
{
    for (int i = 0; i < count; ++i) {
        const SVec2 at{rng.range(0, 800), rng.range(y0, y1)};
        if (at.x > 130 && at.x < 660 && at.y > 495)
            continue;
        const float angle = rng.range(0, 3.14f);
        const float size = rng.range(1.6f, 3.4f) * (0.6f + at.y / 600);
        const SRgb colour = mix(rgb8(130, 40, 22), rgb8(200, 130, 40), rng.uniform()) * rng.range(0.45f, 0.8f);
        const SVec2 axis = rotate({size, 0}, at.y > 400 ? angle * 0.25f : angle);
        paintSdf(c, at.x - size - 1, at.y - size - 1, at.x + size + 1, at.y + size + 1,
                 [=](SVec2 p) { return sdTaperedCapsule(p, at - axis, at + axis, size * 0.55f, size * 0.2f); },
                 [=](SVec2) { return colour; });
    }
}

} // namespace

void paintForestBackground(CCanvas& c)
{
    paintSky(c);
    paintDistantForest(c);
    paintFloor(c);
    paintMist(c, 392, 14, 0.35f);
    // Undergrowth along the forest's edge.
    const std::vector<float> bushes = crownRow(kFloor + 6, 5, 13, 232);
    for (int x = 0; x < 800; ++x) {
        if (x > 280 && x < 620)
            continue; // the wall stands there
        for (int y = static_cast<int>(bushes[x]); y < kFloor + 8; ++y)
            c.blend(x, y, rgb8(60, 30, 34) * (0.8f + 0.4f * fbm(x * 0.2f, y * 0.2f, 233, 2)),
                    clamp01(y + 1 - bushes[x]) * clamp01((kFloor + 8 - y) / 4.0f));
    }
}

void paintForestForeground(CCanvas& c)
{
    paintTrunk(c, 40, 34, 12, 250);
    paintTrunk(c, 150, 18, -6, 251);
    paintTrunk(c, 262, 10, 4, 252);
    paintTrunk(c, 690, 14, -5, 253);
    paintTrunk(c, 770, 40, -14, 254);
    paintCanopy(c);
    CRandom rng(260);
    paintFallingLeaves(c, rng, 90, 420, 600);
    paintFallingLeaves(c, rng, 14, 140, 380);
    paintSparks(c, rng, 12, 200, 300, 700, 450, rgb8(255, 200, 120), 0.7f);
    groundTheDancer(c, 2, rgb8(255, 170, 120), 0.12f);
}

} // namespace assetgen
