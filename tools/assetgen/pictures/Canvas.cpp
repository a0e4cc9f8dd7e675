#include "pictures/Canvas.h"

namespace assetgen {

CCanvas::CCanvas(int width, int height, SRgb fill)
    : m_width(width), m_height(height), m_pixels(static_cast<size_t>(width) * height, fill)
{
}

SRgb CCanvas::clampedAt(int x, int y) const
{
    return at(std::clamp(x, 0, m_width - 1), std::clamp(y, 0, m_height - 1));
}

SRgb CCanvas::sample(float x, float y) const
{
    const float fx = x - 0.5f;
    const float fy = y - 0.5f;
    const int x0 = static_cast<int>(std::floor(fx));
    const int y0 = static_cast<int>(std::floor(fy));
    const float tx = fx - x0;
    const float ty = fy - y0;
    const SRgb top = mix(clampedAt(x0, y0), clampedAt(x0 + 1, y0), tx);
    const SRgb bottom = mix(clampedAt(x0, y0 + 1), clampedAt(x0 + 1, y0 + 1), tx);
    return mix(top, bottom, ty);
}

void CCanvas::blend(int x, int y, SRgb colour, float alpha)
{
    if (!contains(x, y) || alpha <= 0)
        return;
    SRgb& p = at(x, y);
    p = mix(p, colour, std::min(alpha, 1.0f));
}

void CCanvas::add(int x, int y, SRgb colour)
{
    if (contains(x, y))
        at(x, y) += colour;
}

void CCanvas::fill(SRgb colour)
{
    std::fill(m_pixels.begin(), m_pixels.end(), colour);
}

CCanvas CCanvas::crop(int left, int top, int width, int height) const
{
    CCanvas out(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out.at(x, y) = clampedAt(left + x, top + y);
    return out;
}

void CCanvas::paste(const CCanvas& source, int left, int top)
{
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            if (contains(left + x, top + y))
                at(left + x, top + y) = source.at(x, y);
}

CCanvas CCanvas::resized(int width, int height) const
{
    CCanvas out(width, height);
    const float sx = static_cast<float>(m_width) / width;
    const float sy = static_cast<float>(m_height) / height;
    for (int y = 0; y < height; ++y) {
        const int y0 = static_cast<int>(y * sy);
        const int y1 = std::max(y0 + 1, static_cast<int>((y + 1) * sy));
        for (int x = 0; x < width; ++x) {
            const int x0 = static_cast<int>(x * sx);
            const int x1 = std::max(x0 + 1, static_cast<int>((x + 1) * sx));
            SRgb sum;
            for (int v = y0; v < y1; ++v)
                for (int u = x0; u < x1; ++u)
                    sum += clampedAt(u, v);
            out.at(x, y) = sum * (1.0f / ((y1 - y0) * (x1 - x0)));
        }
    }
    return out;
}

CMask::CMask(int width, int height, float fill)
    : m_width(width), m_height(height), m_values(static_cast<size_t>(width) * height, fill)
{
}

void CMask::maxAt(int x, int y, float v)
{
    if (contains(x, y))
        at(x, y) = std::max(at(x, y), v);
}

void paintMask(CCanvas& canvas, const CMask& mask, int left, int top, SRgb colour, float opacity)
{
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            canvas.blend(left + x, top + y, colour, mask.at(x, y) * opacity);
}

void addMask(CCanvas& canvas, const CMask& mask, int left, int top, SRgb colour, float gain)
{
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            if (mask.at(x, y) > 0)
                canvas.add(left + x, top + y, colour * (mask.at(x, y) * gain));
}

namespace {

// One box pass along a line of n values spaced by stride, with clamped ends.
template <typename T>
void boxLine(T* line, int n, int stride, int radius, std::vector<T>& scratch)
{
    scratch.resize(n);
    for (int i = 0; i < n; ++i)
        scratch[i] = line[static_cast<size_t>(i) * stride];
    const float norm = 1.0f / (2 * radius + 1);
    T sum{};
    for (int i = -radius - 1; i < radius; ++i)
        sum = sum + scratch[std::clamp(i, 0, n - 1)];
    for (int i = 0; i < n; ++i) {
        sum = sum + scratch[std::min(i + radius, n - 1)] - scratch[std::max(i - radius - 1, 0)];
        line[static_cast<size_t>(i) * stride] = sum * norm;
    }
}

template <typename T>
void blurPlane(T* data, int width, int height, int radius)
{
    if (radius <= 0)
        return;
    std::vector<T> scratch;
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < height; ++y)
            boxLine(data + static_cast<size_t>(y) * width, width, 1, radius, scratch);
        for (int x = 0; x < width; ++x)
            boxLine(data + x, height, width, radius, scratch);
    }
}

} // namespace

void blur(CMask& mask, int radius)
{
    if (mask.width() > 0)
        blurPlane(&mask.at(0, 0), mask.width(), mask.height(), radius);
}

void blur(CCanvas& canvas, int radius)
{
    if (canvas.width() > 0)
        blurPlane(&canvas.at(0, 0), canvas.width(), canvas.height(), radius);
}

CMask halo(const CMask& mask, int radius, int pad)
{
    CMask out(mask.width() + 2 * pad, mask.height() + 2 * pad);
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            out.at(x + pad, y + pad) = mask.at(x, y);
    blur(out, radius);
    return out;
}

} // namespace assetgen
