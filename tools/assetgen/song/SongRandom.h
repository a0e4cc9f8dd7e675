#pragma once
#include <cstdint>

// A small generator of our own (xorshift), so the song is the same on every machine and build.
class CSongRandom {
public:
    explicit CSongRandom(std::uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}

    std::uint32_t next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // Uniform in [-1, 1).
    float bipolar() { return static_cast<float>(next() >> 8) / 8388608.0f - 1.0f; }
    // Uniform in [low, high).
    float between(float low, float high)
    {
        return low + (high - low) * static_cast<float>(next() >> 8) / 16777216.0f;
    }

private:
    std::uint32_t state_;
};
