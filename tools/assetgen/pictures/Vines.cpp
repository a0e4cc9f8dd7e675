#include "pictures/Vines.h"

#include "pictures/Noise.h"

#include <numbers>

namespace assetgen {

namespace {

// A bloom's glow changes the pixels out to this many radii.
constexpr float kGlowReach = 4.4f;

bool clear(const SBox& b, const std::vector<SBox>& keepOut)
{
    for (const SBox& k : keepOut)
        if (b.overlaps(k))
            return false;
    return true;
}

SBox around(SVec2 a, SVec2 b, float pad)
{
    return {std::min(a.x, b.x) - pad, std::min(a.y, b.y) - pad, std::max(a.x, b.x) + pad, std::max(a.y, b.y) + pad};
}

void paintLeaf(CCanvas& c, SVec2 p, SVec2 tip, float tone)
{
    paintSdf(c, std::min(p.x, tip.x) - 6, std::min(p.y, tip.y) - 6, std::max(p.x, tip.x) + 6, std::max(p.y, tip.y) + 6,
             [=](SVec2 q) {
                 const float u = segmentParam(q, p, tip);
                 return sdSegment(q, p, tip) - 4.2f * std::sin(std::numbers::pi_v<float> * u) - 0.3f;
             },
             [=](SVec2 q) {
                 const float vein = sdSegment(q, p, tip) < 0.5f ? 1.3f : 1.0f;
                 return rgb8(42, 74, 44) * vein * tone;
             });
}

// Layered red petals, with a soft glow where there is room for it.
void paintBloom(CCanvas& c, SVec2 p, float r, bool glow)
{
    if (glow)
        addGlow(c, p, r * 2, rgb8(140, 20, 50), 0.22f);
    paintSdf(c, p.x - r - 2, p.y - r - 2, p.x + r + 2, p.y + r + 2,
             [=](SVec2 q) { return length(q - p) - r * (0.9f + 0.1f * std::cos(5 * std::atan2(q.y - p.y, q.x - p.x))); },
             [=](SVec2 q) {
                 const SVec2 d = q - p;
                 const float spiral = length(d) / r * 4.5f + std::atan2(d.y, d.x) / 6.2832f;
                 const float rim = std::pow(spiral - std::floor(spiral), 3.0f);
                 return mix(rgb8(120, 12, 34), rgb8(230, 80, 100), rim * 0.7f) * (0.6f + 0.4f * length(d) / r);
             });
}

void paintVine(CCanvas& c, const SVineRoute& route, const std::vector<SBox>& keepOut)
{
    CRandom rng(route.seed);
    const SVec2 side{-route.direction.y, route.direction.x};
    SVec2 prev = route.root;
    constexpr int kSteps = 40;
    for (int i = 1; i <= kSteps; ++i) {
        const float t = static_cast<float>(i) / kSteps;
        const SVec2 p = route.root + route.direction * (route.reach * t) + side * (route.sway * std::sin(t * 7) * t);
        const float w = 2.4f * (1 - t) + 0.6f;
        if (!clear(around(prev, p, w + 2), keepOut))
            return;
        paintSdf(c, std::min(prev.x, p.x) - 4, std::min(prev.y, p.y) - 4, std::max(prev.x, p.x) + 4, std::max(prev.y, p.y) + 4,
                 [=](SVec2 q) { return sdSegment(q, prev, p) - w; }, [](SVec2) { return rgb8(30, 40, 26); });
        // The random draws happen whether or not a leaf or bloom fits, so one left out changes
        // nothing else on the vine.
        const float s = (i / 3) % 2 ? 1.0f : -1.0f;
        const SVec2 tip = p + side * (s * rng.range(9, 14)) + route.direction * rng.range(2, 6);
        const float tone = 0.8f + 0.3f * rng.uniform();
        if (i % 3 == 0 && clear(around(p, tip, 6), keepOut))
            paintLeaf(c, p, tip, tone); // on alternating sides
        const float r = rng.range(6, 9) * (1.2f - t * 0.5f);
        if (i % 11 == 5 && clear(around(p, p, r + 3), keepOut))
            paintBloom(c, p, r, clear(around(p, p, r * kGlowReach + 1), keepOut));
        prev = p;
    }
}

} // namespace

SBox textBox(const CFont& font, std::string_view text, float x, float baseline, float size, EAlign align)
{
    const float width = font.measure(text, size);
    const float left = align == EAlign::Left ? x : align == EAlign::Centre ? x - width / 2 : x - width;
    // Calligraphic ascenders and swashes reach about an em above the baseline, descenders and
    // the halo a third of one below.
    return {left - size * 0.2f, baseline - size, left + width + size * 0.2f, baseline + size * 0.35f};
}

CMask paintRoseVines(CCanvas& c, const std::vector<SVineRoute>& routes, const std::vector<SBox>& keepOut)
{
    const CCanvas before = c;
    for (const SVineRoute& route : routes)
        paintVine(c, route, keepOut);
    CMask changed(c.width(), c.height());
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            const SRgb d = c.at(x, y) - before.at(x, y);
            changed.at(x, y) = std::max({std::abs(d.r), std::abs(d.g), std::abs(d.b)});
        }
    return changed;
}

} // namespace assetgen
