// Where the program draws the parts of its scene, and the stone wall behind gate and torches
// that every landscape shares. The torches are drawn opaque, so their frames carry a piece of
// this wall; every landscape paints exactly the same wall around them.
#pragma once
#include "pictures/Canvas.h"
#include "pictures/Shapes.h"

namespace assetgen {

namespace scene {
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kGateX = 412, kGateY = 314, kGateW = 69, kGateH = 104;
constexpr int kWindowW = 69, kWindowH = 80; // the glowing surface behind the gate
constexpr int kTorchW = 28, kTorchH = 64, kTorchY = 352;
constexpr int kTorchLeftX = 369, kTorchRightX = 496;
constexpr int kDancerW = 140, kDancerH = 180;
constexpr int kBoxX = 141, kBoxY = 505, kBoxW = 500, kBoxH = 100;
constexpr int kGroundY = 418; // the foot of wall and gate
// Where a torch's flame burns, relative to its frame.
constexpr float kFlameX = 14, kFlameY = 17;

inline SVec2 dancerPosition(int landscape)
{
    return landscape == 2 ? SVec2{580, 320} : SVec2{200, 335};
}
} // namespace scene

struct SWall {
    CCanvas albedo;     // stone colour under white light
    CMask alpha;        // where the wall stands
    CCanvas torchLight; // the steady light of both torches
    CMask tintWeight;   // 0 near the torches (shared pixels), 1 where a landscape may colour it

    // The lit wall as the torch frames show it.
    SRgb reference(int x, int y) const;
    // The lit wall under a landscape's own light.
    SRgb lit(int x, int y, SRgb ambient) const;
};

const SRgb kWallAmbient = rgb8(64, 68, 90);
const SRgb kTorchColour = rgb8(255, 158, 72);

SWall buildWall();
// Steady torch light on any surface at p, and how much it flickers by (0 far away).
SRgb torchLightAt(SVec2 p);
// The weathered stone every built thing here is made of; 0..1 variation, seeded.
SRgb stoneAlbedo(float x, float y, uint32_t seed);

// Composites the wall under the landscape's ambient light; the torch rectangles end up the same
// in every landscape.
void paintWall(CCanvas& canvas, const SWall& wall, SRgb ambient);

} // namespace assetgen
