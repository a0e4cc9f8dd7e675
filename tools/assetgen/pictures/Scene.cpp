#include "pictures/Scene.h"

#include "pictures/Noise.h"

namespace assetgen {

namespace {

constexpr int kCourse = 9;         // height of one course of blocks
constexpr int kWallTop = 346;
constexpr int kWallLeft = 270, kWallRight = 632;
constexpr uint32_t kWallSeed = 7001;

struct SRect {
    int x, y, w, h;
};
constexpr SRect kTorchRects[2] = {{scene::kTorchLeftX, scene::kTorchY, scene::kTorchW, scene::kTorchH},
                                 {scene::kTorchRightX, scene::kTorchY, scene::kTorchW, scene::kTorchH}};

float distanceToRect(float x, float y, const SRect& r)
{
    const float dx = std::max({r.x - x, 0.0f, x - (r.x + r.w)});
    const float dy = std::max({r.y - y, 0.0f, y - (r.y + r.h)});
    return std::sqrt(dx * dx + dy * dy);
}

// Ruined ends: below the full-height middle the courses reach out the further the lower they
// lie, irregularly. The middle stays whole over the torches, whose frames show the wall.
float courseEnd(int course, bool left)
{
    const int fromTop = 7 - course;
    const float reach = fromTop * (left ? 5.5f : 6.0f) + fromTop * fromTop * 0.35f;
    const float jitter = static_cast<float>(hash32(course, left ? 1 : 2, kWallSeed) % 13);
    return left ? 340 - reach - jitter : 556 + reach + jitter;
}

// A few top blocks have fallen, but none above the torches, whose frames show the wall.
bool fallen(int course, int block, int x)
{
    if (course < 6 || (x > 345 && x < 550))
        return false;
    return hash32(course, block, kWallSeed + 5) % 3 == 0;
}

// Returns the block's albedo, or nothing (alpha 0) between the ruined ends.
float blockAt(int x, int y, SRgb& albedo)
{
    const int course = (scene::kGroundY - 1 - y) / kCourse;
    const int courseTop = scene::kGroundY - (course + 1) * kCourse;
    if (y < kWallTop || course < 0)
        return 0;
    const float fx = x + 0.5f;
    if (fx < courseEnd(course, true) || fx > courseEnd(course, false))
        return 0;
    // Blocks of 13 to 27 pixels, staggered per course.
    int start = kWallLeft - static_cast<int>(hash32(course, 0, kWallSeed) % 20);
    int index = 0;
    int length = 0;
    while (true) {
        length = 13 + static_cast<int>(hash32(course, index, kWallSeed + 1) % 15);
        if (x < start + length)
            break;
        start += length;
        ++index;
    }
    if (fallen(course, index, x))
        return 0;
    // Slivers of blocks cut by a ruined end would look like spikes.
    const float shown = std::min<float>(start + length, courseEnd(course, false)) - std::max<float>(start, courseEnd(course, true));
    if (shown < 4)
        return 0;
    const int lx = x - start;
    const int ly = y - std::max(courseTop, kWallTop);
    const int height = scene::kGroundY - course * kCourse - std::max(courseTop, kWallTop);
    const float tone = 0.86f + 0.22f * (hash32(course, index, kWallSeed + 2) % 1000) / 1000.0f;
    albedo = stoneAlbedo(static_cast<float>(x), static_cast<float>(y), kWallSeed) * tone;
    if (lx == 0 || ly == height - 1)
        albedo = albedo * 0.45f; // mortar joint
    else if (ly == 0)
        albedo = albedo * 1.22f; // the upper arris catches the light
    else if (ly == height - 2 || lx == length - 1)
        albedo = albedo * 0.78f;
    return 1;
}

} // namespace

SRgb stoneAlbedo(float x, float y, uint32_t seed)
{
    const float grain = fbm(x * 0.35f, y * 0.35f, seed + 11, 3);
    const float stain = fbm(x * 0.05f, y * 0.07f, seed + 12, 4);
    const float moss = smoothstep(0.58f, 0.75f, fbm(x * 0.08f, y * 0.11f, seed + 13, 4));
    SRgb stone = mix(rgb8(128, 122, 112), rgb8(160, 152, 138), grain) * (0.74f + 0.4f * stain);
    stone = mix(stone, rgb8(88, 104, 62), moss * 0.75f);
    return stone;
}

SRgb torchLightAt(SVec2 p)
{
    SRgb light;
    for (const SRect& r : kTorchRects) {
        const SVec2 flame{r.x + scene::kFlameX, r.y + scene::kFlameY};
        const float d = length(p - flame);
        light += kTorchColour * (1.25f / (1.0f + (d / 19.0f) * (d / 19.0f)));
    }
    return light;
}

SRgb SWall::reference(int x, int y) const
{
    return albedo.at(x, y) * (kWallAmbient + torchLight.at(x, y));
}

SRgb SWall::lit(int x, int y, SRgb ambient) const
{
    const SRgb tinted = mix(kWallAmbient, ambient, tintWeight.at(x, y));
    return albedo.at(x, y) * (tinted + torchLight.at(x, y));
}

SWall buildWall()
{
    SWall wall{CCanvas(scene::kWidth, scene::kHeight), CMask(scene::kWidth, scene::kHeight),
               CCanvas(scene::kWidth, scene::kHeight), CMask(scene::kWidth, scene::kHeight)};
    for (int y = kWallTop - 2; y < scene::kGroundY; ++y)
        for (int x = kWallLeft - 4; x < kWallRight + 4; ++x) {
            SRgb albedo;
            wall.alpha.at(x, y) = blockAt(x, y, albedo);
            wall.albedo.at(x, y) = albedo;
            const SVec2 p{x + 0.5f, y + 0.5f};
            wall.torchLight.at(x, y) = torchLightAt(p);
            float nearest = 1e9f;
            for (const SRect& r : kTorchRects)
                nearest = std::min(nearest, distanceToRect(p.x, p.y, r));
            wall.tintWeight.at(x, y) = smoothstep(2, 46, nearest);
        }
    return wall;
}

void paintWall(CCanvas& canvas, const SWall& wall, SRgb ambient)
{
    for (int y = 0; y < scene::kHeight; ++y)
        for (int x = 0; x < scene::kWidth; ++x)
            if (wall.alpha.at(x, y) > 0)
                canvas.blend(x, y, wall.lit(x, y, ambient), wall.alpha.at(x, y));
}

} // namespace assetgen
