// The question and answer box: a parchment scroll whose calm middle (centred where the program
// centres its text) takes dark blue and purple writing, with a red rose on its right end.
// Everything around the scroll is the key colour, so the box is shaped. A long text runs over up
// to five lines from row 2 to the screen's edge at row 95, so the parchment fills that height.
#include "pictures/Layer.h"
#include "pictures/Noise.h"

#include <numbers>

namespace assetgen {

namespace {

constexpr float kLeft = 5, kRight = 445, kTop = 1.5f, kBottom = 98;
constexpr float kRoll = 8; // radius of the rolled ends

float edgeWave(float x, uint32_t seed)
{
    return 1.4f * (fbm(x * 0.03f, 0.5f, seed, 3) - 0.5f);
}

SRgb parchment(SVec2 p)
{
    const float n = fbm(p.x * 0.02f, p.y * 0.05f, 601, 5);
    // Broad mottling only: fine fibres would break into pixel noise as the box shrinks in flight.
    const float fibre = fbm(p.x * 0.05f, p.y * 0.02f, 602, 2);
    SRgb c = mix(rgb8(238, 222, 186), rgb8(246, 236, 208), n) * (0.97f + 0.04f * fibre);
    // Age: darker and warmer toward the edges, a faint stain here and there. Lines of text run
    // close to the top and bottom edges, so those darken only in a narrow band.
    const float dx = std::min(p.x - kLeft - kRoll, kRight - kRoll - p.x);
    const float dy = std::min(p.y - kTop, kBottom - p.y);
    const float edge = 1 - smoothstep(0, 16, std::min(dx * 1.6f, dy * 5));
    c = mix(c, rgb8(196, 150, 96), edge * 0.55f);
    const float stain = smoothstep(0.62f, 0.8f, fbm(p.x * 0.012f, p.y * 0.03f, 603, 4));
    return mix(c, rgb8(214, 184, 138), stain * 0.35f);
}

void paintScroll(CLayer& layer)
{
    layer.paint(kLeft, kTop - 3, kRight, kBottom + 3,
                [](SVec2 p) {
                    const float top = kTop + edgeWave(p.x, 611), bottom = kBottom + edgeWave(p.x, 612);
                    return std::max({top - p.y, p.y - bottom, kLeft + kRoll - p.x, p.x - (kRight - kRoll)});
                },
                [](SVec2 p) { return parchment(p); });
}

void paintRoll(CLayer& layer, float cx)
{
    layer.paint(cx - kRoll - 1, kTop - 6, cx + kRoll + 1, kBottom + 6,
                [cx](SVec2 p) { return sdRoundBox(p, {cx, (kTop + kBottom) / 2}, {kRoll, (kBottom - kTop) / 2 + 5}, 3); },
                [cx](SVec2 p) {
                    const float u = (p.x - cx) / kRoll;
                    const float lit = std::sqrt(std::max(0.0f, 1 - u * u)) * (0.75f + 0.25f * -u);
                    const SRgb c = mix(rgb8(150, 110, 66), rgb8(246, 232, 198), lit);
                    const float spiral = std::abs(p.y - kTop + 3) < 3.5f || std::abs(p.y - kBottom - 3) < 3.5f ? 0.78f : 1.0f;
                    return c * spiral;
                });
}

// A rose seen from above: spiralling petals around a dark heart, with two leaves.
void paintRose(CLayer& layer, SVec2 c, float r)
{
    for (const float angle : {2.4f, 3.9f}) {
        const SVec2 tip = c + SVec2{std::cos(angle), std::sin(angle)} * (r * 1.7f);
        const SVec2 base = c + SVec2{std::cos(angle), std::sin(angle)} * (r * 0.5f);
        layer.paint(std::min(tip.x, base.x) - 10, std::min(tip.y, base.y) - 10, std::max(tip.x, base.x) + 10,
                    std::max(tip.y, base.y) + 10,
                    [=](SVec2 p) {
                        const float t = segmentParam(p, base, tip);
                        const float w = 7.5f * std::sin(std::numbers::pi_v<float> * t) + 0.5f;
                        return sdSegment(p, base, tip) - w;
                    },
                    [=](SVec2 p) {
                        const float vein = std::abs(sdSegment(p, base, tip)) < 1.5f ? 1.2f : 1.0f;
                        const float side = clamp01((p.y - c.y) / 20 + 0.5f);
                        return mix(rgb8(70, 120, 56), rgb8(34, 74, 34), side) * vein;
                    });
    }
    layer.paint(c.x - r - 2, c.y - r - 2, c.x + r + 2, c.y + r + 2,
                [=](SVec2 p) {
                    const float a = std::atan2(p.y - c.y, p.x - c.x);
                    return length(p - c) - r * (0.92f + 0.08f * std::cos(5 * a));
                },
                [=](SVec2 p) {
                    // Petal rims along a spiral, lit from the top left.
                    const SVec2 d = p - c;
                    const float dist = length(d) / r;
                    const float a = std::atan2(d.y, d.x);
                    // Few, broad petals, so the rose still reads as one when the box is small.
                    const float spiral = dist * 2.6f + a / (2 * std::numbers::pi_v<float>) * 1.0f;
                    const float rim = std::pow(spiral - std::floor(spiral), 1.6f);
                    const float light = clamp01(0.55f - (d.x + d.y) / (r * 2.4f));
                    const SRgb base = mix(rgb8(110, 10, 30), rgb8(200, 36, 58), light);
                    return mix(base, rgb8(246, 110, 120), rim * (0.35f + 0.5f * light)) * (0.55f + 0.45f * dist);
                });
}

} // namespace

SKeyedPicture paintQuestionBox()
{
    CLayer layer(scene::kBoxW, scene::kBoxH, 3);
    paintRoll(layer, kLeft + kRoll);
    paintRoll(layer, kRight - kRoll);
    paintScroll(layer);
    paintRose(layer, {472, 50}, 19);
    return layer.resolve();
}

} // namespace assetgen
