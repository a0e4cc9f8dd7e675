#include "oracle/Random.h"

namespace {

// The process-wide generator state; 1 until someone seeds it.
std::uint32_t g_randomState = 1;

} // namespace

int stepRandom(std::uint32_t& state)
{
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

void seedRandom(std::uint32_t seed)
{
    g_randomState = seed;
}

int drawRandom()
{
    return stepRandom(g_randomState);
}

std::uint32_t randomState()
{
    return g_randomState;
}
