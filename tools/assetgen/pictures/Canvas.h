// Floating-point RGB canvases and alpha masks that the painters work on; 0..1 is black..white.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace assetgen {

struct SRgb {
    float r = 0, g = 0, b = 0;
};

inline SRgb operator+(SRgb a, SRgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline SRgb operator-(SRgb a, SRgb b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
inline SRgb operator*(SRgb a, float s) { return {a.r * s, a.g * s, a.b * s}; }
inline SRgb operator*(float s, SRgb a) { return a * s; }
inline SRgb operator*(SRgb a, SRgb b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
inline SRgb& operator+=(SRgb& a, SRgb b) { return a = a + b; }

inline float clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
inline float mixf(float a, float b, float t) { return a + (b - a) * t; }
inline SRgb mix(SRgb a, SRgb b, float t) { return a + (b - a) * t; }
inline float smoothstep(float e0, float e1, float x)
{
    const float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}
// Colours are written as 8-bit triples in the source, which is how a painter picks them.
constexpr SRgb rgb8(int r, int g, int b) { return {r / 255.0f, g / 255.0f, b / 255.0f}; }
// Screen blend: light added without ever overshooting white.
inline SRgb screen(SRgb a, SRgb b)
{
    return {1 - (1 - a.r) * (1 - b.r), 1 - (1 - a.g) * (1 - b.g), 1 - (1 - a.b) * (1 - b.b)};
}

class CCanvas {
public:
    CCanvas() = default;
    CCanvas(int width, int height, SRgb fill = {});

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    SRgb& at(int x, int y) { return m_pixels[static_cast<size_t>(y) * m_width + x]; }
    const SRgb& at(int x, int y) const { return m_pixels[static_cast<size_t>(y) * m_width + x]; }
    SRgb clampedAt(int x, int y) const;
    // Bilinear sample at a continuous position; pixel centres lie at .5.
    SRgb sample(float x, float y) const;

    void blend(int x, int y, SRgb colour, float alpha);
    void add(int x, int y, SRgb colour);
    void fill(SRgb colour);

    CCanvas crop(int left, int top, int width, int height) const;
    void paste(const CCanvas& source, int left, int top);
    // Area-averaging reduction to any smaller size.
    CCanvas resized(int width, int height) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<SRgb> m_pixels;
};

class CMask {
public:
    CMask() = default;
    CMask(int width, int height, float fill = 0);

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    float& at(int x, int y) { return m_values[static_cast<size_t>(y) * m_width + x]; }
    float at(int x, int y) const { return m_values[static_cast<size_t>(y) * m_width + x]; }
    void maxAt(int x, int y, float v);

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<float> m_values;
};

// Paints colour through a mask placed at (left, top).
void paintMask(CCanvas& canvas, const CMask& mask, int left, int top, SRgb colour, float opacity = 1);
// Adds colour scaled by the mask (light, glows).
void addMask(CCanvas& canvas, const CMask& mask, int left, int top, SRgb colour, float gain = 1);

// Three box passes approximate a Gaussian of the given radius; edges are clamped.
void blur(CMask& mask, int radius);
void blur(CCanvas& canvas, int radius);
// A mask grown by the radius and softened: the halo around text and shapes.
CMask halo(const CMask& mask, int radius, int pad);

} // namespace assetgen
