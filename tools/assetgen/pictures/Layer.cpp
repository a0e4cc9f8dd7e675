#include "pictures/Layer.h"

namespace assetgen {

CLayer::CLayer(int width, int height, int scale)
    : m_width(width), m_height(height), m_scale(scale), m_colour(width * scale, height * scale),
      m_alpha(width * scale, height * scale)
{
}

void CLayer::paint(float x0, float y0, float x1, float y1, const std::function<float(SVec2)>& dist,
                   const std::function<SRgb(SVec2)>& shade, float opacity)
{
    const int sx0 = std::max(0, static_cast<int>((x0 - 1) * m_scale));
    const int sy0 = std::max(0, static_cast<int>((y0 - 1) * m_scale));
    const int sx1 = std::min(m_colour.width(), static_cast<int>((x1 + 1) * m_scale));
    const int sy1 = std::min(m_colour.height(), static_cast<int>((y1 + 1) * m_scale));
    const float inv = 1.0f / m_scale;
    for (int sy = sy0; sy < sy1; ++sy)
        for (int sx = sx0; sx < sx1; ++sx) {
            const SVec2 p{(sx + 0.5f) * inv, (sy + 0.5f) * inv};
            const float cov = clamp01(0.5f - dist(p) * m_scale) * opacity;
            if (cov <= 0)
                continue;
            m_colour.at(sx, sy) = shade(p) * cov + m_colour.at(sx, sy) * (1 - cov);
            m_alpha.at(sx, sy) = cov + m_alpha.at(sx, sy) * (1 - cov);
        }
}

SKeyedPicture CLayer::resolve() const
{
    SKeyedPicture out{CCanvas(m_width, m_height), CMask(m_width, m_height)};
    const float samples = static_cast<float>(m_scale * m_scale);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            SRgb sum;
            float a = 0;
            for (int v = 0; v < m_scale; ++v)
                for (int u = 0; u < m_scale; ++u) {
                    sum += m_colour.at(x * m_scale + u, y * m_scale + v);
                    a += m_alpha.at(x * m_scale + u, y * m_scale + v);
                }
            out.alpha.at(x, y) = a / samples;
            out.colour.at(x, y) = a > 0 ? sum * (1.0f / a) : SRgb{};
        }
    return out;
}

CCanvas CLayer::resolveOver(const CCanvas& backdrop) const
{
    const SKeyedPicture layer = resolve();
    CCanvas out = backdrop;
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            out.blend(x, y, layer.colour.at(x, y), layer.alpha.at(x, y));
    return out;
}

} // namespace assetgen
