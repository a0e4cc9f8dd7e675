// The choreography. Frame 1 is the dancer at rest; frames 1 to 29 are a turn on the toes that
// starts and ends facing the viewer, so the loop has no seam; frame 0 is a quiet pose of
// offering; frames 30 to 66 a curtsy with a sway.
#include "pictures/Dancer.h"

#include <cmath>
#include <numbers>

namespace assetgen {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

SDancerPose restPose()
{
    SDancerPose p;
    p.armLift = {0.48f, 0.48f};
    p.armForward = {0.25f, 0.25f};
    p.foreLift = {0.85f, 0.85f};
    p.foreForward = {0.55f, 0.55f};
    p.legOut = {0.02f, 0.06f};
    p.legForward = {0, 0.12f};
    return p;
}

SDancerPose turnPose(float s)
{
    SDancerPose p = restPose();
    const float wave = 0.5f - 0.5f * std::cos(2 * kPi * s); // 0 at rest, 1 mid-turn
    // The turn pauses facing the viewer and is fastest facing away.
    p.turn = 2 * kPi * s - std::sin(2 * kPi * s);
    const float speed = 1 - std::cos(2 * kPi * s);           // 0 .. 2
    p.rise = 6 * wave;
    p.lean = 0.05f * std::sin(2 * kPi * s);
    for (int side = 0; side < 2; ++side) {
        const float lift = side == 0 ? 0.0f : 0.25f * std::sin(2 * kPi * s);
        p.armLift[side] = 0.48f + 1.05f * wave + lift;
        p.armForward[side] = 0.25f - 0.1f * wave;
        p.foreLift[side] = p.armLift[side] + 0.35f + 0.15f * wave;
        p.foreForward[side] = 0.55f - 0.25f * wave;
    }
    // The working leg draws up to the knee while she spins on the other.
    p.legForward = {0, 0.12f + 0.55f * wave};
    p.legOut = {0.02f, 0.06f + 0.25f * wave};
    p.kneeBend = {0, 1.5f * wave};
    p.pointe = {wave, wave};
    p.flare = 0.1f + 0.9f * wave;
    p.trail = 7 * speed;
    return p;
}

SDancerPose offeringPose()
{
    SDancerPose p = restPose();
    p.armLift = {0.75f, 0.75f};
    p.armForward = {1.0f, 1.0f};
    p.foreLift = {1.35f, 1.35f};
    p.foreForward = {1.35f, 1.35f};
    p.headBow = 1.5f;
    return p;
}

SDancerPose curtsyPose(float u)
{
    SDancerPose p = restPose();
    const float d = std::pow(std::sin(kPi * u), 2.0f);
    const float sway = std::sin(2 * kPi * u);
    p.rise = -13 * d;
    p.headBow = 3 * d;
    p.lean = 0.08f * sway * (1 - d);
    p.armLift = {0.48f + 0.55f * d, 0.48f + 0.55f * d};
    p.armForward = {0.25f - 0.35f * d, 0.25f - 0.35f * d};
    p.foreLift = {0.85f + 0.1f * d, 0.85f + 0.1f * d};
    p.foreForward = {0.55f - 0.5f * d, 0.55f - 0.5f * d};
    p.legForward = {0.9f * d, 0.12f - 0.2f * d};
    p.kneeBend = {1.6f * d, 0.6f * d};
    p.legOut = {0.02f, 0.06f + 0.1f * d};
    p.flare = 0.35f * d;
    p.trail = 4 * sway;
    return p;
}

} // namespace

SDancerPose dancerPose(int frame)
{
    if (frame == 0)
        return offeringPose();
    if (frame <= 29)
        return turnPose((frame - 1) / 29.0f);
    return curtsyPose((frame - 30) / 37.0f);
}

} // namespace assetgen
