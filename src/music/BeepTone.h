#pragma once
#include <cstdint>
#include <vector>

// The short soft tone that stands in for the system's default beep: a complete 16-bit mono
// PCM WAVE file in memory, so any mixer can load and convert it.
std::vector<std::uint8_t> makeBeepWave(int sampleRate);
