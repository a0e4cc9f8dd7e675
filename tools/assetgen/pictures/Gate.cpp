// The gate: a weathered stone portal with a round-arched opening, carved as a relief (a height
// map lit by the moon and both torches), overgrown with ivy and a few wild roses. The opening
// is the key colour, so the glow surface behind it shows through.
#include "pictures/Noise.h"
#include "pictures/Parts.h"

#include <numbers>

namespace assetgen {

namespace {

constexpr int W = scene::kGateW;
constexpr int H = scene::kGateH;
constexpr float kArchCx = 34.5f, kArchCy = 34.5f, kArchR = 25.5f;
constexpr float kOpenLeft = 9, kOpenRight = 60, kOpenBottom = 80;
constexpr float kRingR = 31.5f;

float sdOpening(SVec2 p)
{
    const float rect = std::max({kOpenLeft - p.x, p.x - kOpenRight, kArchCy - p.y, p.y - kOpenBottom});
    return std::min(rect, sdCircle(p, {kArchCx, kArchCy}, kArchR));
}

bool inStone(SVec2 p)
{
    if (p.y < kOpenBottom)
        return p.x >= 0 && p.x < W;
    if (p.y < 86)
        return p.x >= 5 && p.x < W - 5; // sill
    if (p.y < 95)
        return p.x >= 2 && p.x < W - 2; // upper step
    return true;                        // lower step
}

// Relief heights in pixels: the shading below turns their slopes into light and shadow.
float reliefHeight(SVec2 p)
{
    float h = 0;
    if (p.y < 6)
        h = 3.0f - 0.12f * (p.y - 3) * (p.y - 3); // cornice moulding
    else if (p.y < 8)
        h = -0.6f;
    const float ringDist = length(p - SVec2{kArchCx, kArchCy});
    const float opening = sdOpening(p);
    if (p.y < kOpenBottom && ringDist < kRingR && p.y > 6 && p.y < kArchCy + 1) {
        // Voussoirs: a raised ring cut by radial joints, the keystone at the top stands out.
        const float angle = std::atan2(p.x - kArchCx, kArchCy - p.y);
        const float joint = std::abs(std::sin(angle * 4.5f));
        h = std::max(h, 1.6f - (joint < 0.13f ? 1.6f : 0.0f));
        if (std::abs(angle) < 0.16f)
            h = 2.4f;
    } else if (p.y >= 6 && p.y < kOpenBottom) {
        const bool pillar = p.x < kOpenLeft || p.x >= kOpenRight;
        if (!pillar && p.y < kArchCy)
            h = -1.0f; // recessed spandrels
    }
    if (opening < 0)
        h = -6;
    else if (opening < 2.5f)
        h = -6 + 6 * opening / 2.5f; // the reveal falls away into the opening
    else if (opening < 5.5f && p.y < kOpenBottom)
        h = std::max(h, 1.3f * std::sin((opening - 2.5f) / 3.0f * std::numbers::pi_v<float>)); // carved bead round the window
    if (p.y >= kOpenBottom)
        h = p.y < 86 ? 1.0f : p.y < 95 ? 0.5f : 0.0f;
    return h;
}

SRgb shadeRelief(SVec2 p, SVec2 screenPos)
{
    const float dx = reliefHeight({p.x + 0.5f, p.y}) - reliefHeight({p.x - 0.5f, p.y});
    const float dy = reliefHeight({p.x, p.y + 0.5f}) - reliefHeight({p.x, p.y - 0.5f});
    float nx = -dx, ny = -dy, nz = 1;
    const float inv = 1.0f / std::sqrt(nx * nx + ny * ny + nz * nz);
    nx *= inv, ny *= inv, nz *= inv;
    // Step tops face the sky.
    if ((p.y >= kOpenBottom && p.y < 81.5f) || (p.y >= 86 && p.y < 87.5f) || (p.y >= 95 && p.y < 96.5f)) {
        ny = -0.8f;
        nz = 0.6f;
    }
    const float moon = std::max(0.0f, -0.45f * nx - 0.55f * ny + 0.7f * nz);
    SRgb light = kWallAmbient * (0.25f + 1.1f * moon);
    const SRgb torch = torchLightAt(screenPos);
    const float towardLeft = screenPos.x < 446 ? 0.6f : 0.0f;
    const float facing = clamp01(nz * 0.8f + (towardLeft > 0 ? -nx : nx) * 0.6f);
    light += torch * (0.35f + 0.75f * facing);
    return light * 1.2f;
}

void paintIvy(CCanvas& c, CMask& alpha)
{
    CRandom rng(8081);
    // A vine climbs the left jamb and runs along the cornice; leaves hang off it.
    std::vector<SVec2> vine;
    for (int i = 0; i <= 40; ++i) {
        const float t = i / 40.0f;
        if (t < 0.55f)
            vine.push_back({2.5f + 2.0f * std::sin(t * 19), 100 - t / 0.55f * 96});
        else
            vine.push_back({4 + (t - 0.55f) / 0.45f * 24, 3.5f + 1.5f * std::sin(t * 23)});
    }
    for (size_t i = 0; i + 1 < vine.size(); ++i) {
        const SVec2 a = vine[i], b = vine[i + 1];
        paintSdf(c, std::min(a.x, b.x) - 2, std::min(a.y, b.y) - 2, std::max(a.x, b.x) + 2, std::max(a.y, b.y) + 2,
                 [=](SVec2 p) { return sdSegment(p, a, b) - 0.5f; }, [](SVec2) { return rgb8(40, 34, 20); });
    }
    for (size_t i = 0; i < vine.size(); ++i) {
        for (int k = 0; k < 2; ++k) {
            const SVec2 at = vine[i] + SVec2{rng.range(-3.5f, 3.5f), rng.range(-2.5f, 3.5f)};
            if (sdOpening(at) < 1.5f)
                continue;
            const float r = rng.range(1.3f, 2.3f);
            const float tone = rng.range(0.6f, 1.15f);
            const SVec2 screenPos{at.x + scene::kGateX, at.y + scene::kGateY};
            const SRgb light = kWallAmbient * 0.9f + torchLightAt(screenPos) * 0.8f;
            paintSdf(c, at.x - r - 1, at.y - r - 1, at.x + r + 1, at.y + r + 1,
                     [=](SVec2 p) { return sdEllipse(p, at, r * 1.1f, r * 0.85f); },
                     [=](SVec2 p) {
                         const float hl = clamp01((at.y - p.y) / r * 0.6f + 0.4f);
                         return rgb8(58, 98, 46) * tone * light * (0.6f + 0.6f * hl);
                     });
            for (int y = static_cast<int>(at.y - r - 1); y <= static_cast<int>(at.y + r + 1); ++y)
                for (int x = static_cast<int>(at.x - r - 1); x <= static_cast<int>(at.x + r + 1); ++x)
                    if (alpha.contains(x, y) && sdEllipse({x + 0.5f, y + 0.5f}, at, r * 1.1f, r * 0.85f) < 0)
                        alpha.maxAt(x, y, 1);
        }
        // Now and then a small wild rose.
        if (i % 7 == 3) {
            const SVec2 at = vine[i] + SVec2{1.5f, 0.5f};
            paintSdf(c, at.x - 3, at.y - 3, at.x + 3, at.y + 3, [=](SVec2 p) { return sdCircle(p, at, 1.6f); },
                     [=](SVec2 p) { return mix(rgb8(236, 120, 140), rgb8(150, 30, 56), clamp01(length(p - at) / 1.8f)); });
        }
    }
}


// The drawn stonework: block joints, voussoirs, cornice and rosettes as darker and lighter
// albedo, so the gate reads clearly even where the light is flat.
float masonry(SVec2 p)
{
    const float ring = length(p - SVec2{kArchCx, kArchCy});
    const bool jamb = p.x < kOpenLeft || p.x >= kOpenRight;
    if (p.x < 1 || p.x >= W - 1 || p.y < 1)
        return 0.72f; // worn outer arris
    if (p.y < 6)
        return 1.18f - 0.03f * p.y; // cornice catching the sky
    if (p.y < 7.5f)
        return 0.42f;               // shadow under the cornice
    if (p.y < kOpenBottom && ring >= kArchR + 2 && ring < kRingR + 1 && p.y < kArchCy + 2) {
        if (ring >= kRingR)
            return 0.55f;           // the ring's outer joint
        const float angle = std::atan2(p.x - kArchCx, kArchCy - p.y);
        if (std::abs(angle) < 0.17f)
            return 1.25f;           // keystone
        const float slot = (angle + 1.75f) / 0.35f;
        if (slot - std::floor(slot) < 0.1f)
            return 0.5f;
        return 1.02f + 0.1f * ((static_cast<int>(slot) & 1) ? 1.0f : -1.0f);
    }
    if (p.y < kOpenBottom && jamb && p.y > kArchCy - 4) {
        const int row = static_cast<int>(p.y - 2) % 11;
        return row == 0 ? 0.5f : row == 1 ? 1.14f : 1.0f;
    }
    for (const SVec2 rose : {SVec2{5, 12}, SVec2{64, 12}}) {
        const float d = length(p - rose);
        if (d < 2.8f)
            return d < 1.2f ? 1.3f : 0.75f + 0.15f * std::sin(std::atan2(p.y - rose.y, p.x - rose.x) * 5);
    }
    return 0.92f;
}

void paintCracks(CCanvas& c)
{
    const std::vector<std::vector<SVec2>> cracks{{{62, 30}, {64, 36}, {63, 41}, {66, 47}},
                                                {{3, 58}, {5, 62}, {4, 67}},
                                                {{40, 88}, {44, 91}, {49, 90}}};
    for (const auto& line : cracks)
        for (size_t i = 0; i + 1 < line.size(); ++i) {
            const SVec2 a = line[i], b = line[i + 1];
            for (int y = static_cast<int>(std::min(a.y, b.y)) - 1; y <= static_cast<int>(std::max(a.y, b.y)) + 1; ++y)
                for (int x = static_cast<int>(std::min(a.x, b.x)) - 1; x <= static_cast<int>(std::max(a.x, b.x)) + 1; ++x)
                    if (c.contains(x, y))
                        c.at(x, y) = c.at(x, y) * (1 - 0.5f * coverage(sdSegment({x + 0.5f, y + 0.5f}, a, b) - 0.2f));
        }
}

} // namespace

SKeyedPicture paintGate()
{
    SKeyedPicture gate{CCanvas(W, H), CMask(W, H)};
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const SVec2 p{x + 0.5f, y + 0.5f};
            if (!inStone(p) || sdOpening(p) < 0)
                continue;
            const SVec2 screenPos{p.x + scene::kGateX, p.y + scene::kGateY};
            // Paler, finer stone than the wall, so the gate stands out from it.
            SRgb albedo = mix(stoneAlbedo(screenPos.x, screenPos.y, 9090), rgb8(178, 170, 150), 0.35f) * masonry(p);
            if (p.y > 80 && (static_cast<int>(p.y) == 85 || static_cast<int>(p.y) == 94))
                albedo = albedo * 0.5f; // shadow under each step's nosing
            const float depth = sdOpening(p);
            if (depth < 2.5f)
                albedo = albedo * (0.35f + 0.25f * depth);
            else if (depth < 5.5f && p.y < kOpenBottom)
                albedo = albedo * 1.12f; // the bead is finer, paler stone, so it frames the glow
            gate.colour.at(x, y) = albedo * shadeRelief(p, screenPos);
            gate.alpha.at(x, y) = 1;
        }
    paintCracks(gate.colour);
    paintIvy(gate.colour, gate.alpha);
    // The opening stays clear whatever the ivy did.
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (sdOpening({x + 0.5f, y + 0.5f}) < 0)
                gate.alpha.at(x, y) = 0;
    return gate;
}

} // namespace assetgen
