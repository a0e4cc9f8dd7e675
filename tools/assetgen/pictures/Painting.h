// Brushes for the landscapes: skies, stars, moons, clouds, ridges, trees, grass, water, light.
#pragma once
#include "pictures/Canvas.h"
#include "pictures/Noise.h"
#include "pictures/Shapes.h"

#include <functional>
#include <utility>
#include <vector>

namespace assetgen {

using GradientStops = std::vector<std::pair<float, SRgb>>; // position (rising), colour
SRgb gradientAt(const GradientStops& stops, float t);
void paintVerticalGradient(CCanvas& canvas, const GradientStops& stops, int top, int bottom);

struct SStarField {
    int count = 600;
    int top = 0, bottom = 300;
    float brightness = 1;
    uint32_t seed = 1;
    // 0..1 per pixel: where stars may shine (a band of the milky way, or 1 everywhere).
    std::function<float(float x, float y)> density;
};
void paintStars(CCanvas& canvas, const SStarField& field);

void paintMoon(CCanvas& canvas, SVec2 centre, float radius, SRgb colour, float haloStrength,
               float crescent = 0);

struct SCloudLayer {
    int top = 0, bottom = 200;
    float scaleX = 0.006f, scaleY = 0.02f;
    float cover = 0.55f; // higher: fewer clouds
    float opacity = 0.7f;
    uint32_t seed = 3;
    std::function<SRgb(float x, float y, float thickness)> shade;
};
void paintClouds(CCanvas& canvas, const SCloudLayer& layer);

// Fills everything below the line y = ridge(x), anti-aliased, with shade(x, y).
void paintBelow(CCanvas& canvas, const std::function<float(float x)>& ridge,
                const std::function<SRgb(float x, float y)>& shade, int left = 0, int right = -1);
// A mountain or hill line: fbm over x, base y, amplitude.
std::function<float(float)> ridgeLine(float base, float amplitude, float scale, uint32_t seed, int octaves = 5);

// Atmospheric haze: pulls colour toward the haze as depth (0 near .. 1 far) grows.
SRgb hazed(SRgb colour, SRgb haze, float amount);

// A conifer silhouette: stacked drooping tiers, a light edge toward the light side.
struct SConifer {
    SVec2 base;
    float height = 60, width = 24;
    SRgb colour, rim;
    float rimSide = -1; // -1 lit from the left, 1 from the right
    float snow = 0;     // 0..1 snow on the tiers
    uint32_t seed = 9;
};
void paintConifer(CCanvas& canvas, const SConifer& tree);

// A broad-leaved crown: fbm blob, lit from one side, with a trunk.
struct SLeafTree {
    SVec2 base;
    float height = 120, crownRadius = 50;
    SRgb trunk, dark, light;
    float lightSide = -1;
    uint32_t seed = 10;
    float ragged = 1; // 0 smooth blob .. 1 loose edge with holes
};
void paintLeafTree(CCanvas& canvas, const SLeafTree& tree);

void paintGrassBlades(CCanvas& canvas, CRandom& rng, int count, float top, float bottom, int left,
                      int right, SRgb dark, SRgb light, float maxHeight);
// Fireflies, sparkles, pollen: tiny glowing points.
void paintSparks(CCanvas& canvas, CRandom& rng, int count, float x0, float y0, float x1, float y1,
                 SRgb colour, float size);

// Mirrors the picture above waterline into the rows below it, with ripples and darkening.
void paintReflection(CCanvas& canvas, int waterline, int bottom, float darken, SRgb waterTint,
                     uint32_t seed, int left = 0, int right = -1);

// Darkens the picture toward its corners, leaving the middle untouched.
void vignette(CCanvas& canvas, float strength, float innerRadius = 0.55f);

} // namespace assetgen
