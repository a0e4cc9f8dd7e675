#include "pictures/Painting.h"

#include <algorithm>
#include <numbers>

namespace assetgen {

SRgb gradientAt(const GradientStops& stops, float t)
{
    if (t <= stops.front().first)
        return stops.front().second;
    for (size_t i = 1; i < stops.size(); ++i)
        if (t <= stops[i].first) {
            const float span = stops[i].first - stops[i - 1].first;
            return mix(stops[i - 1].second, stops[i].second, smoothstep(0, 1, (t - stops[i - 1].first) / span));
        }
    return stops.back().second;
}

void paintVerticalGradient(CCanvas& canvas, const GradientStops& stops, int top, int bottom)
{
    for (int y = std::max(0, top); y < std::min(bottom, canvas.height()); ++y) {
        const SRgb c = gradientAt(stops, static_cast<float>(y));
        for (int x = 0; x < canvas.width(); ++x)
            canvas.at(x, y) = c;
    }
}

void paintStars(CCanvas& canvas, const SStarField& field)
{
    CRandom rng(field.seed);
    for (int i = 0; i < field.count; ++i) {
        const float x = rng.range(0, static_cast<float>(canvas.width()));
        const float y = rng.range(static_cast<float>(field.top), static_cast<float>(field.bottom));
        const float keep = field.density ? field.density(x, y) : 1.0f;
        const float roll = rng.uniform();
        const float magnitude = std::pow(rng.uniform(), 3.5f);
        const float hue = rng.uniform();
        if (roll > keep)
            continue;
        // Fainter toward the horizon, where the air is thick.
        const float fade = 1 - 0.7f * clamp01((y - field.top) / (field.bottom - field.top + 1.0f));
        const SRgb tint = hue < 0.2f ? rgb8(255, 214, 180) : hue < 0.45f ? rgb8(190, 210, 255) : rgb8(235, 238, 255);
        const float b = (0.25f + 1.4f * magnitude) * field.brightness * fade;
        const float radius = 0.45f + 0.9f * magnitude;
        addGlow(canvas, {x, y}, radius, tint, b);
        if (magnitude > 0.55f) {
            // The brightest ones get faint rays.
            for (int k = -6; k <= 6; ++k) {
                const float w = b * 0.18f * (1 - std::abs(k) / 7.0f);
                canvas.add(static_cast<int>(x) + k, static_cast<int>(y), tint * w);
                canvas.add(static_cast<int>(x), static_cast<int>(y) + k, tint * w);
            }
        }
    }
}

void paintMoon(CCanvas& canvas, SVec2 centre, float radius, SRgb colour, float haloStrength, float crescent)
{
    addGlow(canvas, centre, radius * 7, colour * 0.35f, haloStrength * 0.5f);
    addGlow(canvas, centre, radius * 2.6f, colour * 0.6f, haloStrength);
    const SVec2 bite{centre.x + radius * 0.9f * crescent, centre.y - radius * 0.25f * crescent};
    paintSdf(canvas, centre.x - radius - 2, centre.y - radius - 2, centre.x + radius + 2, centre.y + radius + 2,
             [=](SVec2 p) {
                 const float disc = sdCircle(p, centre, radius);
                 return crescent > 0 ? std::max(disc, -sdCircle(p, bite, radius * 0.92f)) : disc;
             },
             [=](SVec2 p) {
                 // Maria: darker patches; limb darkening toward the edge.
                 const float m = fbm(p.x * 0.09f, p.y * 0.09f, 77, 4);
                 const float limb = 1 - 0.25f * std::pow(clamp01(length(p - centre) / radius), 3.0f);
                 return colour * ((0.82f + 0.22f * smoothstep(0.35f, 0.65f, 1 - m)) * limb);
             });
}

void paintClouds(CCanvas& canvas, const SCloudLayer& layer)
{
    for (int y = std::max(0, layer.top); y < std::min(layer.bottom, canvas.height()); ++y) {
        const float band = smoothstep(static_cast<float>(layer.top), layer.top + 25.0f, static_cast<float>(y)) *
                           (1 - smoothstep(layer.bottom - 25.0f, static_cast<float>(layer.bottom), static_cast<float>(y)));
        for (int x = 0; x < canvas.width(); ++x) {
            const float n = fbm(x * layer.scaleX, y * layer.scaleY, layer.seed, 6);
            const float thick = smoothstep(layer.cover, layer.cover + 0.25f, n) * band;
            if (thick > 0.003f)
                canvas.blend(x, y, layer.shade(static_cast<float>(x), static_cast<float>(y), thick), thick * layer.opacity);
        }
    }
}

void paintBelow(CCanvas& canvas, const std::function<float(float)>& ridge,
                const std::function<SRgb(float, float)>& shade, int left, int right)
{
    if (right < 0)
        right = canvas.width();
    for (int x = std::max(0, left); x < std::min(right, canvas.width()); ++x) {
        const float top = ridge(x + 0.5f);
        const int start = std::max(0, static_cast<int>(std::floor(top)));
        for (int y = start; y < canvas.height(); ++y) {
            const float cover = clamp01(y + 1 - top);
            canvas.blend(x, y, shade(x + 0.5f, y + 0.5f), cover);
        }
    }
}

std::function<float(float)> ridgeLine(float base, float amplitude, float scale, uint32_t seed, int octaves)
{
    return [=](float x) { return base - amplitude * fbm(x * scale, 0.5f, seed, octaves, 0.5f); };
}

SRgb hazed(SRgb colour, SRgb haze, float amount)
{
    return mix(colour, haze, clamp01(amount));
}

void paintConifer(CCanvas& canvas, const SConifer& t)
{
    const float top = t.base.y - t.height;
    const float tiers = 6 + t.height / 40;
    paintSdf(canvas, t.base.x - t.width, top - 2, t.base.x + t.width, t.base.y + 2,
             [&t, top, tiers](SVec2 p) {
                 const float v = clamp01((p.y - top) / t.height); // 0 tip .. 1 foot
                 // Tiers: each widens downward to drooping branch tips, ragged at the edge.
                 const float phase = v * tiers - std::floor(v * tiers);
                 const float jag = (fbm(p.y * 0.5f, p.x * 0.35f + t.seed % 97, t.seed, 3) - 0.5f) * 0.45f;
                 const float half = t.width * 0.5f * (0.1f + 0.9f * v) * (0.55f + 0.45f * std::pow(phase, 0.7f) + jag);
                 const float d = std::abs(p.x - t.base.x) - half;
                 return std::max(d, std::max(top - p.y, p.y - t.base.y));
             },
             [&t, top, tiers](SVec2 p) {
                 const float v = clamp01((p.y - top) / t.height);
                 const float half = t.width * 0.5f * (0.1f + 0.9f * v) + 0.01f;
                 const float side = (p.x - t.base.x) / half;
                 const float rim = smoothstep(0.2f, 1.0f, side * t.rimSide);
                 const float needles = fbm(p.x * 0.6f, p.y * 0.6f, t.seed + 2, 2);
                 SRgb c = mix(t.colour, t.rim, rim * 0.7f) * (0.75f + 0.5f * needles);
                 if (t.snow > 0) {
                     // Snow lies on the upper side of each tier, in clumps.
                     const float phase = v * tiers - std::floor(v * tiers);
                     const float clumps = fbm(p.x * 0.35f, p.y * 0.5f, t.seed + 1, 3);
                     const float s = smoothstep(0.25f, 0.05f, phase) * t.snow * smoothstep(0.4f, 0.6f, clumps + 0.15f * (1 - std::abs(side)));
                     c = mix(c, mix(rgb8(120, 140, 185), rgb8(220, 230, 248), clamp01(0.4f + 0.6f * rim)), s);
                 }
                 return c;
             });
}

void paintLeafTree(CCanvas& canvas, const SLeafTree& t)
{
    const SVec2 crown{t.base.x, t.base.y - t.height + t.crownRadius};
    // Trunk with two forks into the crown.
    paintSdf(canvas, t.base.x - 12, crown.y, t.base.x + 12, t.base.y + 1,
             [&t, crown](SVec2 p) {
                 const float trunk = sdTaperedCapsule(p, t.base, crown + SVec2{0, t.crownRadius * 0.3f}, 4.5f, 2.5f);
                 const float fork1 = sdTaperedCapsule(p, crown + SVec2{0, t.crownRadius * 0.5f}, crown + SVec2{-t.crownRadius * 0.45f, 0}, 2.2f, 1.0f);
                 const float fork2 = sdTaperedCapsule(p, crown + SVec2{0, t.crownRadius * 0.45f}, crown + SVec2{t.crownRadius * 0.4f, -t.crownRadius * 0.1f}, 2.0f, 1.0f);
                 return std::min({trunk, fork1, fork2});
             },
             [&t](SVec2 p) { return mix(t.trunk, t.trunk * 1.6f, clamp01((p.x - t.base.x) * t.lightSide * -0.25f)); });
    // The crown: many clumps of leaves, the ones at the back darker, each lit on its light side.
    const float r = t.crownRadius;
    CRandom rng(t.seed);
    struct SClump {
        SVec2 centre;
        float radius;
    };
    std::vector<SClump> clumps;
    for (int i = 0; i < 46; ++i) {
        const float a = rng.range(0, 6.2832f);
        const float d = std::sqrt(rng.uniform()) * 0.8f;
        clumps.push_back({{crown.x + std::cos(a) * d * r * 1.2f, crown.y + std::sin(a) * d * r * 0.85f},
                          r * rng.range(0.18f, 0.34f)});
    }
    std::sort(clumps.begin(), clumps.end(), [](const SClump& a, const SClump& b) { return a.centre.y < b.centre.y; });
    for (size_t i = 0; i < clumps.size(); ++i) {
        const SClump k = clumps[i];
        const float back = 1 - static_cast<float>(i) / clumps.size();
        const float side = clamp01(0.5f + (k.centre.x - crown.x) * t.lightSide / (r * 1.6f) + (crown.y - k.centre.y) / (r * 3));
        const uint32_t seed = t.seed + 17 + static_cast<uint32_t>(i);
        paintSdf(canvas, k.centre.x - k.radius * 1.4f, k.centre.y - k.radius * 1.4f, k.centre.x + k.radius * 1.4f,
                 k.centre.y + k.radius * 1.4f,
                 [=](SVec2 p) {
                     const float leafy = (fbm(p.x * 0.3f, p.y * 0.3f, seed, 3) - 0.5f) * k.radius * 0.5f * t.ragged;
                     return sdCircle(p, k.centre, k.radius) + leafy;
                 },
                 [=](SVec2 p) {
                     const SVec2 toward{t.lightSide * 0.8f, -0.6f};
                     const float lit = clamp01(0.5f + dot(p - k.centre, toward) / k.radius * 0.6f);
                     const float speck = fbm(p.x * 0.5f, p.y * 0.5f, seed + 3, 2);
                     const float v = clamp01(std::pow(lit, 2.5f) * std::pow(side, 1.6f) * 1.5f * (1 - 0.5f * back) + (speck - 0.5f) * 0.2f);
                     return mix(t.dark, t.light, v);
                 });
    }
}

void paintGrassBlades(CCanvas& canvas, CRandom& rng, int count, float top, float bottom, int left,
                      int right, SRgb dark, SRgb light, float maxHeight)
{
    for (int i = 0; i < count; ++i) {
        const float x = rng.range(static_cast<float>(left), static_cast<float>(right));
        const float y = rng.range(top, bottom);
        const float depth = (y - top) / (bottom - top + 1);
        const float h = maxHeight * (0.4f + 0.6f * depth) * rng.range(0.5f, 1.0f);
        const float lean = rng.range(-0.5f, 0.5f) * h;
        const SRgb c = mix(dark, light, rng.uniform() * 0.8f);
        const SVec2 a{x, y};
        const SVec2 tip{x + lean, y - h};
        const SVec2 mid = lerp(a, tip, 0.5f) + SVec2{lean * 0.25f, 0};
        const float w = 0.35f + 0.55f * depth;
        paintSdf(canvas, std::min(x, tip.x) - 3, tip.y - 2, std::max(x, tip.x) + 3, y + 2,
                 [=](SVec2 p) {
                     return std::min(sdTaperedCapsule(p, a, mid, w, w * 0.7f), sdTaperedCapsule(p, mid, tip, w * 0.7f, 0.1f));
                 },
                 [=](SVec2 p) { return mix(c * 0.6f, c, clamp01((y - p.y) / h)); });
    }
}

void paintSparks(CCanvas& canvas, CRandom& rng, int count, float x0, float y0, float x1, float y1,
                 SRgb colour, float size)
{
    for (int i = 0; i < count; ++i) {
        const SVec2 p{rng.range(x0, x1), rng.range(y0, y1)};
        const float b = rng.range(0.35f, 1.0f);
        addGlow(canvas, p, size * 3.5f, colour * 0.35f, b * 0.6f);
        addGlow(canvas, p, size, colour, b);
    }
}

void paintReflection(CCanvas& canvas, int waterline, int bottom, float darken, SRgb waterTint,
                     uint32_t seed, int left, int right)
{
    if (right < 0)
        right = canvas.width();
    const CCanvas source = canvas;
    for (int y = waterline; y < std::min(bottom, canvas.height()); ++y) {
        const float depth = static_cast<float>(y - waterline);
        for (int x = std::max(0, left); x < std::min(right, canvas.width()); ++x) {
            // Ripples grow with nearness; they stretch wide and shallow.
            const float n = fbm(x * 0.012f, y * 0.22f, seed, 4) - 0.5f;
            const float wave = std::sin(y * 0.9f + n * 9.0f);
            const float dx = n * (4 + depth * 0.18f);
            const float dy = wave * (0.6f + depth * 0.03f);
            const float sy = waterline - depth * 1.0f - 1 + dy;
            SRgb c = source.sample(x + 0.5f + dx, std::max(0.5f, sy));
            c = c * (darken - 0.12f * clamp01(depth / 120)) + waterTint;
            // Thin bright lines where wave crests catch the sky.
            const float crest = smoothstep(0.85f, 1.0f, wave) * 0.06f;
            canvas.at(x, y) = c + SRgb{crest, crest, crest * 1.2f};
        }
    }
}

void vignette(CCanvas& canvas, float strength, float innerRadius)
{
    const float cx = canvas.width() * 0.5f, cy = canvas.height() * 0.5f;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            const float dx = (x + 0.5f - cx) / cx, dy = (y + 0.5f - cy) / cy;
            const float d = std::sqrt(dx * dx + dy * dy) / std::numbers::sqrt2_v<float>;
            canvas.at(x, y) = canvas.at(x, y) * (1 - strength * smoothstep(innerRadius, 1.0f, d));
        }
}

} // namespace assetgen
