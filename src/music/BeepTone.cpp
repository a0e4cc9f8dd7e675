#include "music/BeepTone.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>

namespace {

constexpr double kToneHertz = 660.0;
constexpr double kSeconds = 0.15;
constexpr double kLevel = 0.3;

void appendText(std::vector<std::uint8_t>& out, std::string_view text)
{
    out.insert(out.end(), text.begin(), text.end());
}

void append16(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void append32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    append16(out, value & 0xFFFF);
    append16(out, value >> 16);
}

// A bell-like tone: quick rise, exponential fall, and a short fade to exact zero at the end,
// so neither edge clicks.
double toneAt(std::uint32_t index, std::uint32_t count, int sampleRate)
{
    const double t = static_cast<double>(index) / sampleRate;
    const double rise = std::min(1.0, t / 0.004);
    const double fall = std::exp(-t / 0.05);
    const double remaining = static_cast<double>(count - 1 - index) / sampleRate;
    const double fade = std::min(1.0, remaining / 0.01);
    const double phase = 2.0 * std::numbers::pi * kToneHertz * t;
    const double voice = std::sin(phase) + 0.25 * std::sin(2.0 * phase);
    return kLevel * rise * fall * fade * voice / 1.25;
}

} // namespace

std::vector<std::uint8_t> makeBeepWave(int sampleRate)
{
    const auto count = static_cast<std::uint32_t>(sampleRate * kSeconds);
    const std::uint32_t dataBytes = count * 2;
    std::vector<std::uint8_t> wave;
    wave.reserve(44 + dataBytes);
    appendText(wave, "RIFF");
    append32(wave, 36 + dataBytes);
    appendText(wave, "WAVEfmt ");
    append32(wave, 16);
    append16(wave, 1); // PCM
    append16(wave, 1); // mono
    append32(wave, static_cast<std::uint32_t>(sampleRate));
    append32(wave, static_cast<std::uint32_t>(sampleRate) * 2);
    append16(wave, 2);
    append16(wave, 16);
    appendText(wave, "data");
    append32(wave, dataBytes);
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto sample = static_cast<std::int16_t>(std::lround(32767.0 * toneAt(i, count, sampleRate)));
        append16(wave, static_cast<std::uint16_t>(sample));
    }
    return wave;
}
