// Signed distances of simple shapes, and painting through them with anti-aliased edges. A
// distance below zero is inside; one pixel of distance is one pixel of soft edge.
#pragma once
#include "pictures/Canvas.h"

#include <vector>

namespace assetgen {

struct SVec2 {
    float x = 0, y = 0;
};
inline SVec2 operator+(SVec2 a, SVec2 b) { return {a.x + b.x, a.y + b.y}; }
inline SVec2 operator-(SVec2 a, SVec2 b) { return {a.x - b.x, a.y - b.y}; }
inline SVec2 operator*(SVec2 a, float s) { return {a.x * s, a.y * s}; }
inline float dot(SVec2 a, SVec2 b) { return a.x * b.x + a.y * b.y; }
inline float length(SVec2 a) { return std::sqrt(dot(a, a)); }
inline SVec2 lerp(SVec2 a, SVec2 b, float t) { return a + (b - a) * t; }
inline SVec2 rotate(SVec2 v, float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return {c * v.x - s * v.y, s * v.x + c * v.y};
}
float sdCircle(SVec2 p, SVec2 centre, float radius);
float sdEllipse(SVec2 p, SVec2 centre, float rx, float ry);
float sdSegment(SVec2 p, SVec2 a, SVec2 b);
// A capsule whose radius runs from ra at a to rb at b; limbs are drawn with it.
float sdTaperedCapsule(SVec2 p, SVec2 a, SVec2 b, float ra, float rb);
// Where along the segment a-b the point projects, 0..1.
float segmentParam(SVec2 p, SVec2 a, SVec2 b);
float sdPolygon(SVec2 p, const std::vector<SVec2>& points);
float sdRoundBox(SVec2 p, SVec2 centre, SVec2 half, float radius);

inline float coverage(float distance)
{
    return clamp01(0.5f - distance);
}

// Paints every pixel of the box (x0, y0)-(x1, y1) that the distance function covers, with the
// colour the shade function gives for the pixel centre.
template <typename Dist, typename Shade>
void paintSdf(CCanvas& canvas, float x0, float y0, float x1, float y1, Dist dist, Shade shade,
              float opacity = 1)
{
    const int ix0 = std::max(0, static_cast<int>(std::floor(x0)) - 1);
    const int iy0 = std::max(0, static_cast<int>(std::floor(y0)) - 1);
    const int ix1 = std::min(canvas.width(), static_cast<int>(std::ceil(x1)) + 1);
    const int iy1 = std::min(canvas.height(), static_cast<int>(std::ceil(y1)) + 1);
    for (int y = iy0; y < iy1; ++y)
        for (int x = ix0; x < ix1; ++x) {
            const SVec2 p{x + 0.5f, y + 0.5f};
            const float c = coverage(dist(p)) * opacity;
            if (c > 0)
                canvas.blend(x, y, shade(p), c);
        }
}

// Soft radial light added to the canvas: strength at the centre, Gaussian fall-off.
void addGlow(CCanvas& canvas, SVec2 centre, float radius, SRgb colour, float strength = 1);

} // namespace assetgen
