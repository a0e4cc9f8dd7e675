#include "pictures/Shapes.h"

namespace assetgen {

float sdCircle(Vec2 p, Vec2 centre, float radius)
{
    return length(p - centre) - radius;
}

float sdEllipse(Vec2 p, Vec2 centre, float rx, float ry)
{
    // Scaled-circle distance: exact on the axes, close enough elsewhere for soft edges.
    const Vec2 d{(p.x - centre.x) / rx, (p.y - centre.y) / ry};
    const float k = length(d);
    const float grad = length(Vec2{d.x / rx, d.y / ry});
    return grad > 1e-6f ? (k - 1) * k / grad : -std::min(rx, ry);
}

float segmentParam(Vec2 p, Vec2 a, Vec2 b)
{
    const Vec2 ab = b - a;
    const float len2 = dot(ab, ab);
    return len2 > 1e-9f ? clamp01(dot(p - a, ab) / len2) : 0.0f;
}

float sdSegment(Vec2 p, Vec2 a, Vec2 b)
{
    return length(p - lerp(a, b, segmentParam(p, a, b)));
}

float sdTaperedCapsule(Vec2 p, Vec2 a, Vec2 b, float ra, float rb)
{
    const float t = segmentParam(p, a, b);
    return length(p - lerp(a, b, t)) - mixf(ra, rb, t);
}

float sdPolygon(Vec2 p, const std::vector<Vec2>& points)
{
    float best = 1e30f;
    bool inside = false;
    const size_t n = points.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const Vec2 a = points[j];
        const Vec2 b = points[i];
        best = std::min(best, sdSegment(p, a, b));
        if ((b.y > p.y) != (a.y > p.y) && p.x < (a.x - b.x) * (p.y - b.y) / (a.y - b.y) + b.x)
            inside = !inside;
    }
    return inside ? -best : best;
}

float sdRoundBox(Vec2 p, Vec2 centre, Vec2 half, float radius)
{
    const Vec2 q{std::abs(p.x - centre.x) - half.x + radius, std::abs(p.y - centre.y) - half.y + radius};
    const Vec2 outside{std::max(q.x, 0.0f), std::max(q.y, 0.0f)};
    return length(outside) + std::min(std::max(q.x, q.y), 0.0f) - radius;
}

void addGlow(CCanvas& canvas, Vec2 centre, float radius, SRgb colour, float strength)
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
