#include "pictures/Shapes.h"

namespace assetgen {

float sdCircle(SVec2 p, SVec2 centre, float radius)
{
    return length(p - centre) - radius;
}

float sdEllipse(SVec2 p, SVec2 centre, float rx, float ry)
{
    // Scaled-circle distance: exact on the axes, close enough elsewhere for soft edges.
    const SVec2 d{(p.x - centre.x) / rx, (p.y - centre.y) / ry};
    const float k = length(d);
    const float grad = length(SVec2{d.x / rx, d.y / ry});
    return grad > 1e-6f ? (k - 1) * k / grad : -std::min(rx, ry);
}

float segmentParam(SVec2 p, SVec2 a, SVec2 b)
{
    const SVec2 ab = b - a;
    const float len2 = dot(ab, ab);
    return len2 > 1e-9f ? clamp01(dot(p - a, ab) / len2) : 0.0f;
}

float sdSegment(SVec2 p, SVec2 a, SVec2 b)
{
    return length(p - lerp(a, b, segmentParam(p, a, b)));
}

float sdTaperedCapsule(SVec2 p, SVec2 a, SVec2 b, float ra, float rb)
{
    const float t = segmentParam(p, a, b);
    return length(p - lerp(a, b, t)) - mixf(ra, rb, t);
}

float sdPolygon(SVec2 p, const std::vector<SVec2>& points)
{
    float best = 1e30f;
    bool inside = false;
    const size_t n = points.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const SVec2 a = points[j];
        const SVec2 b = points[i];
        best = std::min(best, sdSegment(p, a, b));
        if ((b.y > p.y) != (a.y > p.y) && p.x < (a.x - b.x) * (p.y - b.y) / (a.y - b.y) + b.x)
            inside = !inside;
    }
    return inside ? -best : best;
}

float sdRoundBox(SVec2 p, SVec2 centre, SVec2 half, float radius)
{
    const SVec2 q{std::abs(p.x - centre.x) - half.x + radius, std::abs(p.y - centre.y) - half.y + radius};
    const SVec2 outside{std::max(q.x, 0.0f), std::max(q.y, 0.0f)};
    return length(outside) + std::min(std::max(q.x, q.y), 0.0f) - radius;
}

void addGlow(CCanvas& canvas, SVec2 centre, float radius, SRgb colour, float strength)
{
    const int reach = static_cast<int>(radius * 3) + 1;
    const int cx = static_cast<int>(centre.x);
    const int cy = static_cast<int>(centre.y);
    const float inv = 1.0f / (radius * radius);
    for (int y = std::max(0, cy - reach); y < std::min(canvas.height(), cy + reach); ++y)
        for (int x = std::max(0, cx - reach); x < std::min(canvas.width(), cx + reach); ++x) {
            const float dx = x + 0.5f - centre.x;
            const float dy = y + 0.5f - centre.y;
            const float w = std::exp(-(dx * dx + dy * dy) * inv) * strength;
            if (w > 0.002f)
                canvas.at(x, y) += colour * w;
        }
}

} // namespace assetgen
