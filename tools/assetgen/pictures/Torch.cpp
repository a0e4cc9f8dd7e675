// The two wall torches: iron sconce, wooden shaft, and a flame that flickers in a seamless loop.
#include "pictures/Noise.h"
#include "pictures/Parts.h"

#include <numbers>

namespace assetgen {

namespace {

using scene::kFlameX;
using scene::kFlameY;

constexpr float kTau = 2 * std::numbers::pi_v<float>;
constexpr float kFlameBase = 24.5f;

// Light inside the frame may flicker, but must fade to the steady light at the frame's border,
// where the landscape's wall takes over.
float insideWeight(int x, int y)
{
    const float edge = static_cast<float>(std::min({x, y, scene::kTorchW - 1 - x, scene::kTorchH - 1 - y}));
    return smoothstep(0, 7, edge);
}

void paintSconce(CCanvas& frame, SVec2 origin)
{
    const SRgb iron = rgb8(34, 30, 30);
    const SRgb wood = rgb8(92, 58, 34);
    auto lit = [origin](SRgb albedo, float gloss) {
        return [=](SVec2 p) {
            const SRgb light = kWallAmbient * 0.8f + torchLightAt(origin + p) * 0.9f;
            const float hl = gloss * std::max(0.0f, 1 - std::abs(p.x - 12.5f) / 2.0f);
            return albedo * light + SRgb{hl, hl * 0.7f, hl * 0.4f} * 0.35f;
        };
    };
    // Wall plate, arm and ring of wrought iron, a shaft of dark wood, and the cup.
    paintSdf(frame, 9, 36, 19, 56, [](SVec2 p) { return sdRoundBox(p, {14, 46}, {3.2f, 8}, 1.5f); }, lit(iron, 0.4f));
    paintSdf(frame, 8, 40, 20, 48, [](SVec2 p) { return sdSegment(p, {14, 44}, {14, 44}) - 2.2f; }, lit(rgb8(60, 50, 46), 0.6f));
    paintSdf(frame, 10, 22, 18, 54, [](SVec2 p) { return sdTaperedCapsule(p, {14, 52}, {14, 26}, 1.6f, 2.3f); }, lit(wood, 0.5f));
    paintSdf(frame, 10, 38, 18, 43, [](SVec2 p) { return sdRoundBox(p, {14, 40.5f}, {3.2f, 1.4f}, 0.7f); }, lit(iron, 0.8f));
    const std::vector<SVec2> cup{{8.5f, 21.5f}, {19.5f, 21.5f}, {16.5f, 28.5f}, {11.5f, 28.5f}};
    paintSdf(frame, 7, 20, 21, 30, [&cup](SVec2 p) { return sdPolygon(p, cup); }, lit(iron, 1.0f));
    // Embers glowing in the cup's mouth.
    paintSdf(frame, 9, 21, 19, 24, [](SVec2 p) { return sdEllipse(p, {14, 22.3f}, 4.6f, 1.1f); },
             [](SVec2 p) { return mix(rgb8(255, 190, 90), rgb8(190, 60, 20), std::abs(p.x - 14) / 5); });
}

SRgb flameColour(float intensity)
{
    const SRgb deep = rgb8(150, 30, 6);
    const SRgb orange = rgb8(255, 110, 20);
    const SRgb yellow = rgb8(255, 205, 90);
    const SRgb core = rgb8(255, 250, 225);
    if (intensity < 0.35f)
        return mix(deep, orange, intensity / 0.35f);
    if (intensity < 0.7f)
        return mix(orange, yellow, (intensity - 0.35f) / 0.35f);
    return mix(yellow, core, clamp01((intensity - 0.7f) / 0.3f));
}

// The flame at loop phase theta. Its tongues are a noise pattern rising through it, periodic
// in time, so every step of the loop moves them by the same amount and phase 2 pi meets 0.
void paintFlame(CCanvas& frame, float theta, uint32_t seed)
{
    constexpr int kPeriod = 3; // lattice units the pattern rises in one loop
    const float rise = theta / kTau * kPeriod;
    const float height = 19.5f + 1.0f * std::sin(theta + 0.9f);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < scene::kTorchW; ++x) {
            const SVec2 p{x + 0.5f, y + 0.5f};
            const float v = (kFlameBase - p.y) / height; // 0 at the base, 1 at the tip
            if (v < -0.2f || v > 1.25f)
                continue;
            const float sway = (periodicFbm(v * 1.2f + rise, 0.5f, kPeriod, seed, 2) - 0.5f) * 7.0f * std::pow(std::max(v, 0.0f), 1.4f);
            const float width = 5.6f * std::pow(clamp01(1 - v), 0.75f) * (v < 0 ? std::sqrt(clamp01(1 + v / 0.2f)) : 1.0f) + 0.3f;
            const float u = (p.x - kFlameX - sway) / width;
            float body = clamp01(1 - std::pow(std::abs(u), 1.7f));
            const float tongues = periodicFbm(v * 2.2f + rise, p.x * 0.3f, kPeriod, seed + 7, 3);
            body *= clamp01(0.55f + 0.9f * tongues - 0.35f * v);
            const float intensity = clamp01(body * (1.15f - 0.55f * v));
            if (intensity <= 0.02f)
                continue;
            const float alpha = smoothstep(0.02f, 0.35f, intensity);
            frame.at(x, y) = screen(frame.at(x, y), flameColour(intensity) * alpha);
        }
}

} // namespace

std::vector<CCanvas> paintTorchFrames(const SWall& wall, bool left)
{
    const int ox = left ? scene::kTorchLeftX : scene::kTorchRightX;
    const uint32_t seed = left ? 501 : 502;
    std::vector<CCanvas> frames;
    for (int k = 0; k < 10; ++k) {
        // The program shows the left torch's odd frames and the right torch's even ones in turn;
        // those five make the loop, the other five lie halfway between them.
        const bool shown = (k % 2 == 1) == left;
        const float step = shown ? static_cast<float>(k / 2) : k / 2 + (left ? -0.5f : 0.5f);
        const float theta = kTau * step / 5 + (left ? 0.0f : 2.1f);
        const float flicker = 0.07f * std::cos(theta);
        CCanvas frame(scene::kTorchW, scene::kTorchH);
        for (int y = 0; y < scene::kTorchH; ++y)
            for (int x = 0; x < scene::kTorchW; ++x) {
                const int sx = ox + x, sy = scene::kTorchY + y;
                const SRgb extra = wall.albedo.at(sx, sy) * wall.torchLight.at(sx, sy) * (flicker * insideWeight(x, y));
                frame.at(x, y) = wall.reference(sx, sy) + extra;
            }
        paintSconce(frame, {static_cast<float>(ox), static_cast<float>(scene::kTorchY)});
        addGlow(frame, {kFlameX, kFlameY}, 7, kTorchColour * (1 + flicker), 0.22f);
        paintFlame(frame, theta, seed);
        frames.push_back(std::move(frame));
    }
    return frames;
}

} // namespace assetgen
