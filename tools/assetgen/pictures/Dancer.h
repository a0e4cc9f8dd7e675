// The dancer: a small skeleton in three dimensions, posed by a few numbers, projected onto the
// frame and drawn as shaded shapes: skin, a flowing dress, long hair with a rose.
#pragma once
#include <array>

namespace assetgen {

struct SDancerPose {
    float turn = 0;      // rotation about the vertical axis, 0 facing the viewer
    float rise = 0;      // pelvis lift in pixels (on the toes); negative sinks (curtsy)
    float lean = 0;      // torso lean in the picture plane, radians, positive to the right
    float headBow = 0;   // head lowered in pixels
    std::array<float, 2> armLift{0.5f, 0.5f};    // upper arm: 0 hanging, pi/2 sideways, pi up
    std::array<float, 2> armForward{0.2f, 0.2f}; // upper arm swung toward the viewer
    std::array<float, 2> foreLift{0.7f, 0.7f};   // forearm, as the upper arm
    std::array<float, 2> foreForward{0.4f, 0.4f};
    std::array<float, 2> legForward{0, 0};       // thigh swung forward
    std::array<float, 2> legOut{0, 0};           // thigh spread sideways
    std::array<float, 2> kneeBend{0, 0};         // shin folded back
    std::array<float, 2> pointe{0, 0};           // 0 flat foot, 1 on the toes
    float flare = 0;     // skirt: 0 hanging .. 1 flying out in a turn
    float trail = 0;     // how far hair and hem trail behind a fast turn, in pixels
};

// The pose of every one of the 67 frames: 1 to 29 the dance loop, 1 also the pose at rest.
SDancerPose dancerPose(int frame);

} // namespace assetgen
