// Renders the dancer's frames: the pose's skeleton is projected, each body part is drawn as a
// shaded shape at three times the resolution, and the result is cut out with hard edges for the
// colour key (coverage of one half or more is figure).
#include "pictures/Dancer.h"

#include "pictures/Layer.h"

#include <algorithm>
#include <functional>
#include <numbers>

namespace assetgen {

namespace {

constexpr int kScale = 3;
constexpr float kCentreX = scene::kDancerW / 2.0f;
constexpr float kGround = 170;

const SRgb kSkin = rgb8(232, 184, 156);
const SRgb kDress = rgb8(156, 30, 62);
const SRgb kHair = rgb8(74, 38, 28);
const SRgb kGold = rgb8(228, 180, 90);

struct SV3 {
    float x = 0, y = 0, z = 0;
};
SV3 operator+(SV3 a, SV3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
SV3 operator*(SV3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }

// Light on a surface of normal n: a warm key from the front right (the torches, the sunset), a
// cool rim from behind on the left (the moon), a little ambient sky and warm bounce from below.
SRgb lightOn(SRgb albedo, float nx, float ny, float nz)
{
    const float key = std::max(0.0f, 0.55f * nx - 0.35f * ny + 0.76f * nz);
    const float rim = smoothstep(0.45f, 0.95f, -0.92f * nx - 0.2f * ny - 0.3f * nz);
    const SRgb light = rgb8(84, 88, 118) + rgb8(255, 206, 160) * (key * 1.0f);
    // Warm light thrown back from the torch-lit ground keeps the undersides from turning grey.
    const SRgb bounce = rgb8(120, 76, 48) * (0.6f * std::max(0.0f, ny));
    return albedo * (light + bounce) + rgb8(150, 176, 255) * (rim * 0.5f);
}

class CFigure : public CLayer {
public:
    CFigure() : CLayer(scene::kDancerW, scene::kDancerH, kScale) {}

    // A limb: tapered capsule shaded as a cylinder.
    void limb(SVec2 a, SVec2 b, float ra, float rb, SRgb albedo)
    {
        const float r = std::max(ra, rb);
        paint(std::min(a.x, b.x) - r, std::min(a.y, b.y) - r, std::max(a.x, b.x) + r, std::max(a.y, b.y) + r,
              [=](SVec2 p) { return sdTaperedCapsule(p, a, b, ra, rb); },
              [=](SVec2 p) {
                  const float t = segmentParam(p, a, b);
                  const SVec2 v = p - lerp(a, b, t);
                  const float len = length(v);
                  const float across = clamp01(len / mixf(ra, rb, t));
                  const SVec2 dir = len > 1e-4f ? v * (1 / len) : SVec2{0, 0};
                  return lightOn(albedo, dir.x * across, dir.y * across, std::sqrt(1 - across * across));
              });
    }

    void ball(SVec2 c, float rx, float ry, SRgb albedo)
    {
        paint(c.x - rx, c.y - ry, c.x + rx, c.y + ry, [=](SVec2 p) { return sdEllipse(p, c, rx, ry); },
              [=](SVec2 p) {
                  const float nx = (p.x - c.x) / rx, ny = (p.y - c.y) / ry;
                  const float nz = std::sqrt(std::max(0.0f, 1 - nx * nx - ny * ny));
                  return lightOn(albedo, nx, ny, nz);
              });
    }

};

// The pose turned into points on the frame.
struct SSkeleton {
    float turn = 0, cosT = 1, sinT = 0;
    float hipY = 0;
    SVec2 pivot;
    float lean = 0;

    SVec2 project(SV3 p, bool upper) const
    {
        SVec2 s{kCentreX + p.x * cosT + p.z * sinT, p.y};
        if (upper)
            s = pivot + rotate(s - pivot, -lean);
        return s;
    }
    float depth(SV3 p) const { return -p.x * sinT + p.z * cosT; }
};

SV3 direction(float side, float lift, float forward)
{
    return {side * std::sin(lift) * std::cos(forward), std::cos(lift), std::sin(lift) * std::sin(forward)};
}

struct SPart {
    float depth;
    std::function<void(CFigure&)> draw;
};

void addArm(std::vector<SPart>& parts, const SSkeleton& k, const SDancerPose& pose, int side)
{
    const float s = side == 0 ? -1.0f : 1.0f;
    const SV3 shoulder{s * 12.0f, k.hipY - 44, 0};
    const SV3 elbow = shoulder + direction(s, pose.armLift[side], pose.armForward[side]) * 24;
    const SV3 wrist = elbow + direction(s, pose.foreLift[side], pose.foreForward[side]) * 22;
    const SV3 hand = wrist + direction(s, pose.foreLift[side] + 0.35f, pose.foreForward[side]) * 6.5f;
    const SVec2 a = k.project(shoulder, true), b = k.project(elbow, true), c = k.project(wrist, true), d = k.project(hand, true);
    parts.push_back({k.depth(elbow) + k.depth(wrist), [=](CFigure& f) {
                         f.limb(a, b, 3.2f, 2.5f, kSkin);
                         f.limb(b, c, 2.5f, 1.6f, kSkin);
                         f.limb(c, d, 1.7f, 0.9f, kSkin);
                     }});
}

// A long silk scarf from her right hand: it hangs in a soft curve at rest and streams out
// behind her when she turns.
void addScarf(std::vector<SPart>& parts, const SSkeleton& k, const SDancerPose& pose)
{
    const SV3 shoulder{12.0f, k.hipY - 44, 0};
    const SV3 elbow = shoulder + direction(1, pose.armLift[1], pose.armForward[1]) * 24;
    const SV3 wrist = elbow + direction(1, pose.foreLift[1], pose.foreForward[1]) * 22;
    const SVec2 hand = k.project(wrist, true);
    const float stream = clamp01(pose.trail / 14);
    std::vector<SVec2> line;
    for (int i = 0; i <= 24; ++i) {
        const float s = i / 24.0f;
        const float wave = std::sin(s * 5.5f + pose.turn * 2);
        SVec2 p = hand + SVec2{-stream * 62 * s + (5 + 7 * (1 - stream)) * wave * s, (1 - stream * 0.75f) * 74 * s + 5 * stream * wave * s};
        p.x = std::clamp(p.x, 6.0f, scene::kDancerW - 7.0f);
        p.y = std::min(p.y, kGround - 3);
        line.push_back(p);
    }
    parts.push_back({k.depth(wrist) - 6, [line](CFigure& f) {
                         for (size_t i = 0; i + 1 < line.size(); ++i) {
                             const float t = static_cast<float>(i) / line.size();
                             const SVec2 a = line[i], b = line[i + 1];
                             // A twisting ribbon: it narrows where it turns its edge to the viewer.
                             const float w = (3.1f - 1.2f * t) * (0.45f + 0.55f * std::abs(std::cos(t * 9.0f)));
                             f.paint(std::min(a.x, b.x) - 3, std::min(a.y, b.y) - 3, std::max(a.x, b.x) + 3, std::max(a.y, b.y) + 3,
                                     [=](SVec2 p) { return sdSegment(p, a, b) - w; },
                                     [=](SVec2 p) {
                                         const SVec2 d = b - a;
                                         const float side = (p.x - a.x) * d.y - (p.y - a.y) * d.x;
                                         const float across = clamp01(0.5f + side / (length(d) * w * 2 + 1e-3f));
                                         return lightOn(rgb8(246, 214, 190), across * 2 - 1, 0, 0.6f) * (0.85f + 0.15f * std::sin(t * 20));
                                     });
                         }
                     }});
}

void addLeg(std::vector<SPart>& parts, const SSkeleton& k, const SDancerPose& pose, int side)
{
    const float s = side == 0 ? -1.0f : 1.0f;
    const SV3 hip{s * 6.5f, k.hipY, 0};
    const float fwd = pose.legForward[side];
    const SV3 thigh{s * std::sin(pose.legOut[side]), std::cos(fwd), std::sin(fwd)};
    const SV3 knee = hip + thigh * 39;
    const float shinAngle = fwd - pose.kneeBend[side];
    const SV3 ankle = knee + SV3{s * std::sin(pose.legOut[side]) * 0.5f, std::cos(shinAngle), std::sin(shinAngle)} * 37;
    const float p = pose.pointe[side];
    const SV3 toe = ankle + SV3{0, 2 + 7 * p, 8 - 6 * p};
    const SVec2 a = k.project(hip, false), b = k.project(knee, false), c = k.project(ankle, false), d = k.project(toe, false);
    parts.push_back({-20 + k.depth(knee) * 0.1f, [=](CFigure& f) {
                         f.limb(a, b, 5.2f, 3.6f, kSkin);
                         f.limb(b, c, 3.6f, 2.0f, kSkin);
                         f.limb(c, d, 2.0f, 1.2f, kSkin * 0.9f);
                     }});
}

// The skirt: a cone from the waist to a hem that flares and ripples; the folds turn with her.
void drawSkirt(CFigure& f, const SSkeleton& k, const SDancerPose& pose)
{
    const float waistY = k.hipY - 12;
    const float waistHalf = std::sqrt(64 * k.cosT * k.cosT + 36 * k.sinT * k.sinT);
    const float radius = 25 + 24 * pose.flare;
    const float hemY = k.hipY + 60 - 16 * pose.flare;
    const float ellipse = 3 + 6 * pose.flare;
    const float ripple = 2 + 2.5f * pose.flare;
    const float trail = -pose.trail * 0.8f;
    auto halfWidth = [=](float t) { return mixf(waistHalf, radius, std::pow(t, 1.3f)); };
    auto hemWave = [=](float theta) { return ripple * std::sin(6 * (theta - k.turn)); };
    std::vector<SVec2> outline;
    for (int i = 0; i <= 10; ++i) {
        const float t = i / 10.0f;
        outline.push_back({kCentreX - halfWidth(t) + trail * t * t, mixf(waistY, hemY, t)});
    }
    for (int i = 0; i <= 24; ++i) {
        const float theta = std::numbers::pi_v<float> * (1 - i / 24.0f);
        outline.push_back({kCentreX + radius * std::cos(theta) + trail, hemY + ellipse * std::sin(theta) + hemWave(theta)});
    }
    for (int i = 10; i >= 0; --i) {
        const float t = i / 10.0f;
        outline.push_back({kCentreX + halfWidth(t) + trail * t * t, mixf(waistY, hemY, t)});
    }
    f.paint(kCentreX - radius - 12, waistY, kCentreX + radius + 12, hemY + ellipse + ripple + 2,
            [&outline](SVec2 p) { return sdPolygon(p, outline); },
            [=](SVec2 p) {
                const float t = clamp01((p.y - waistY) / (hemY - waistY));
                const float u = std::clamp((p.x - kCentreX - trail * t * t) / halfWidth(t), -1.0f, 1.0f);
                const float theta = std::acos(u);
                const float folds = std::sin(6 * (theta - k.turn) + 1.3f) * std::pow(t, 0.7f);
                const float nx = std::clamp(u + 0.35f * folds, -1.0f, 1.0f);
                const float nz = std::sqrt(std::max(0.05f, 1 - nx * nx));
                return lightOn(kDress, nx, 0.15f - 0.3f * t, nz) * (0.85f + 0.15f * (1 - t));
            });
}

void drawTorso(CFigure& f, const SSkeleton& k)
{
    const float widthScale = std::sqrt(k.cosT * k.cosT + 0.55f * k.sinT * k.sinT);
    const SVec2 waist = k.project({0, k.hipY - 12, 0}, true);
    const SVec2 chest = k.project({0, k.hipY - 36, 0}, true);
    const SVec2 neck = k.project({0, k.hipY - 47, 0}, true);
    const SVec2 head = k.project({0, k.hipY - 54, 0}, true);
    const SVec2 shoulderL = k.project({-11.5f, k.hipY - 43, 0}, true);
    const SVec2 shoulderR = k.project({11.5f, k.hipY - 43, 0}, true);
    f.limb(neck, head, 2.8f, 2.5f, kSkin);
    f.limb(shoulderL, shoulderR, 3.6f, 3.6f, kSkin);
    f.limb(waist, chest, 6.2f * widthScale + 0.6f, 8.6f * widthScale + 0.8f, kDress);
    // A gold sash marks the waist.
    const SVec2 beltL = k.project({-6.5f, k.hipY - 13, 0}, true), beltR = k.project({6.5f, k.hipY - 13, 0}, true);
    f.limb(beltL, beltR, 1.3f, 1.3f, kGold);
}

// Eyes, brows, a touch of blush and a small red mouth, placed on the head as it turns; at this
// size each feature is a pixel or two, so they are strong in tone rather than fine in line.
void drawFace(CFigure& f, const SSkeleton& k, SVec2 centre)
{
    auto onFace = [&](float across, float down) {
        const float z = std::sqrt(std::max(0.0f, 7.3f * 7.3f - across * across));
        return centre + SVec2{across * k.cosT + z * k.sinT, down};
    };
    const float squeeze = std::max(0.35f, k.cosT);
    for (const float side : {-1.0f, 1.0f}) {
        const SVec2 eye = onFace(side * 2.4f, 1.0f);
        f.paint(eye.x - 2, eye.y - 2, eye.x + 2, eye.y + 2, [=](SVec2 p) { return sdEllipse(p, eye, 1.1f * squeeze, 0.85f); },
                [](SVec2) { return rgb8(46, 26, 30); });
        const SVec2 brow = onFace(side * 2.6f, -1.0f);
        f.paint(brow.x - 2.5f, brow.y - 1.5f, brow.x + 2.5f, brow.y + 1.5f,
                [=](SVec2 p) { return sdSegment(p, brow + SVec2{-1.4f * squeeze, side * 0.1f}, brow + SVec2{1.4f * squeeze, -side * 0.1f}) - 0.3f; },
                [](SVec2) { return rgb8(70, 36, 28); });
        const SVec2 cheek = onFace(side * 3.5f, 3.2f);
        f.paint(cheek.x - 2, cheek.y - 2, cheek.x + 2, cheek.y + 2, [=](SVec2 p) { return sdEllipse(p, cheek, 1.3f * squeeze, 0.9f); },
                [](SVec2) { return rgb8(236, 140, 130); }, 0.6f);
    }
    const SVec2 mouth = onFace(0, 4.9f);
    f.paint(mouth.x - 2.5f, mouth.y - 1.5f, mouth.x + 2.5f, mouth.y + 1.5f,
            [=](SVec2 p) { return sdEllipse(p, mouth, 1.5f * squeeze, 0.7f); }, [](SVec2) { return rgb8(176, 40, 58); });
}

void drawHead(CFigure& f, const SSkeleton& k, const SDancerPose& pose)
{
    const SVec2 c = k.project({0, k.hipY - 58 + pose.headBow, 0}, true);
    const bool facingAway = k.cosT < -0.2f;
    f.ball(c, 7.3f, 8.8f, facingAway ? kHair : kSkin);
    // Hair over the crown, parted, swept back; it leaves the brow free.
    const SVec2 crown = k.project({0, k.hipY - 64.5f + pose.headBow, -1.5f}, true);
    f.ball(crown, 7.9f, 5.6f, kHair);
    // Long locks fall over both shoulders while she faces the viewer.
    if (!facingAway)
        for (float side : {-1.0f, 1.0f}) {
            const SV3 from{side * 7.4f, k.hipY - 60 + pose.headBow, 1};
            const SV3 to{side * 8.8f, k.hipY - 33, 2.5f};
            if (k.depth(from) > -4)
                f.limb(k.project(from, true), k.project(to, true) + SVec2{-pose.trail * 0.3f, 0}, 2.6f, 1.6f, kHair);
        }
    if (k.cosT > 0.35f)
        drawFace(f, k, c);
    const SV3 roseAt{5.5f, k.hipY - 63 + pose.headBow, 3};
    if (k.depth(roseAt) > -3) {
        const SVec2 r = k.project(roseAt, true);
        f.ball(r, 2.6f, 2.4f, rgb8(214, 40, 60));
        f.ball(r + SVec2{-0.6f, -0.6f}, 1.1f, 1.0f, rgb8(255, 120, 130));
    }
}

void drawHair(CFigure& f, const SSkeleton& k, const SDancerPose& pose)
{
    const SVec2 root = k.project({0, k.hipY - 60 + pose.headBow, -3}, true);
    const SVec2 mid = root + SVec2{-pose.trail * 0.5f, 17};
    const SVec2 tip = root + SVec2{-pose.trail * 1.4f, 36 - std::abs(pose.trail) * 0.4f};
    f.limb(root, mid, 8.0f, 6.5f, kHair);
    f.limb(mid, tip, 6.5f, 2.0f, kHair);
}

// A thin rim of warm light round the whole figure, so her outline reads against the dark woods
// and night water as well as against the bright evening sky.
void addRimLight(SKeyedPicture& picture)
{
    const CMask& a = picture.alpha;
    for (int y = 1; y + 1 < a.height(); ++y)
        for (int x = 1; x + 1 < a.width(); ++x) {
            if (a.at(x, y) < 0.5f)
                continue;
            const int open = (a.at(x - 1, y) < 0.5f) + (a.at(x + 1, y) < 0.5f) + (a.at(x, y - 1) < 0.5f) + (a.at(x, y + 1) < 0.5f);
            if (open > 0)
                picture.colour.at(x, y) = screen(picture.colour.at(x, y), rgb8(255, 236, 214) * (0.68f + 0.1f * open));
        }
}

} // namespace

std::vector<SKeyedPicture> paintDancerFrames()
{
    std::vector<SKeyedPicture> frames;
    for (int frame = 0; frame < 67; ++frame) {
        const SDancerPose pose = dancerPose(frame);
        SSkeleton k;
        k.turn = pose.turn;
        k.cosT = std::cos(pose.turn);
        k.sinT = std::sin(pose.turn);
        k.hipY = kGround - 78 - pose.rise;
        k.pivot = {kCentreX, k.hipY - 10};
        k.lean = pose.lean;
        std::vector<SPart> parts;
        addArm(parts, k, pose, 0);
        addArm(parts, k, pose, 1);
        addLeg(parts, k, pose, 0);
        addLeg(parts, k, pose, 1);
        addScarf(parts, k, pose);
        parts.push_back({-8 * k.cosT, [&](CFigure& f) { drawHair(f, k, pose); }});
        parts.push_back({-1, [&](CFigure& f) { drawSkirt(f, k, pose); }});
        parts.push_back({0, [&](CFigure& f) { drawTorso(f, k); }});
        parts.push_back({0.5f, [&](CFigure& f) { drawHead(f, k, pose); }});
        std::stable_sort(parts.begin(), parts.end(), [](const SPart& a, const SPart& b) { return a.depth < b.depth; });
        CFigure figure;
        for (const SPart& part : parts)
            part.draw(figure);
        frames.push_back(figure.resolve());
        addRimLight(frames.back());
    }
    return frames;
}

} // namespace assetgen
