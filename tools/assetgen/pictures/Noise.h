// Deterministic randomness for painting: a seeded generator and lattice value noise. Nothing
// here reads the clock, so two runs paint the same pictures.
#pragma once
#include <cstdint>

namespace assetgen {

class CRandom {
public:
    explicit CRandom(uint64_t seed) : m_state(seed) {}
    uint32_t next();
    float uniform();                   // [0, 1)
    float range(float low, float high); // [low, high)

private:
    uint64_t m_state;
};

uint32_t hash32(int32_t x, int32_t y, uint32_t seed);
// Smooth value noise in [0, 1]; lattice spacing 1.
float valueNoise(float x, float y, uint32_t seed);
// Fractal sum of octaves, normalised to [0, 1].
float fbm(float x, float y, uint32_t seed, int octaves, float gain = 0.5f);
// Noise that repeats every period units in x; loops of animation and seamless strips use it.
float periodicNoise(float x, float y, int period, uint32_t seed);
float periodicFbm(float x, float y, int period, uint32_t seed, int octaves);

} // namespace assetgen
