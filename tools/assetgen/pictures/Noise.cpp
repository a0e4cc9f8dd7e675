#include "pictures/Noise.h"

#include <cmath>

namespace assetgen {

uint32_t CRandom::next()
{
    // splitmix64: small, fast, and good enough for scattering stars and leaves.
    m_state += 0x9E3779B97F4A7C15ull;
    uint64_t z = m_state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
}

float CRandom::uniform()
{
    return static_cast<float>(next() >> 8) * (1.0f / 16777216.0f);
}

float CRandom::range(float low, float high)
{
    return low + (high - low) * uniform();
}

uint32_t hash32(int32_t x, int32_t y, uint32_t seed)
{
    uint32_t h = seed * 0x27D4EB2Du ^ static_cast<uint32_t>(x) * 0x165667B1u;
    h ^= static_cast<uint32_t>(y) * 0x9E3779B1u;
    h ^= h >> 15;
    h *= 0x85EBCA77u;
    h ^= h >> 13;
    h *= 0xC2B2AE3Du;
    h ^= h >> 16;
    return h;
}

namespace {

float lattice(int32_t x, int32_t y, uint32_t seed)
{
    return static_cast<float>(hash32(x, y, seed) >> 8) * (1.0f / 16777215.0f);
}

float fade(float t)
{
    return t * t * t * (t * (t * 6 - 15) + 10);
}

int32_t wrap(int32_t v, int period)
{
    const int32_t m = v % period;
    return m < 0 ? m + period : m;
}

} // namespace

float valueNoise(float x, float y, uint32_t seed)
{
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const auto ix = static_cast<int32_t>(fx);
    const auto iy = static_cast<int32_t>(fy);
    const float u = fade(x - fx);
    const float v = fade(y - fy);
    const float a = lattice(ix, iy, seed);
    const float b = lattice(ix + 1, iy, seed);
    const float c = lattice(ix, iy + 1, seed);
    const float d = lattice(ix + 1, iy + 1, seed);
    return (a + (b - a) * u) + ((c + (d - c) * u) - (a + (b - a) * u)) * v;
}

float fbm(float x, float y, uint32_t seed, int octaves, float gain)
{
    float sum = 0;
    float amplitude = 1;
    float total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * valueNoise(x, y, seed + static_cast<uint32_t>(i) * 101u);
        total += amplitude;
        amplitude *= gain;
        // A slight rotation between octaves hides the lattice's grid.
        const float nx = 1.6f * x + 1.2f * y + 17.3f;
        const float ny = -1.2f * x + 1.6f * y + 5.1f;
        x = nx;
        y = ny;
    }
    return sum / total;
}

float periodicNoise(float x, float y, int period, uint32_t seed)
{
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const auto ix = static_cast<int32_t>(fx);
    const auto iy = static_cast<int32_t>(fy);
    const float u = fade(x - fx);
    const float v = fade(y - fy);
    const float a = lattice(wrap(ix, period), iy, seed);
    const float b = lattice(wrap(ix + 1, period), iy, seed);
    const float c = lattice(wrap(ix, period), iy + 1, seed);
    const float d = lattice(wrap(ix + 1, period), iy + 1, seed);
    return (a + (b - a) * u) + ((c + (d - c) * u) - (a + (b - a) * u)) * v;
}

float periodicFbm(float x, float y, int period, uint32_t seed, int octaves)
{
    float sum = 0;
    float amplitude = 1;
    float total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * periodicNoise(x, y, period, seed + static_cast<uint32_t>(i) * 101u);
        total += amplitude;
        amplitude *= 0.5f;
        x *= 2;
        y *= 2;
        period *= 2;
    }
    return sum / total;
}

} // namespace assetgen
