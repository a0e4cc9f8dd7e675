#include "Instruments.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Raised-cosine ramp from 0 to 1 over `length` samples, so no note starts or ends with a click.
float smoothRamp(std::int64_t position, std::int64_t length)
{
    if (position >= length) {
        return 1.0f;
    }
    const double x = static_cast<double>(position) / static_cast<double>(length);
    return static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * x));
}

void applyEdges(std::vector<float>& samples, std::int64_t attack, std::int64_t release)
{
    const auto count = static_cast<std::int64_t>(samples.size());
    for (std::int64_t i = 0; i < count; ++i) {
        samples[i] *= smoothRamp(i, attack) * smoothRamp(count - 1 - i, release);
    }
}

// The burst that sets the string moving: low-passed noise without a DC part, with the notch
// of a string plucked a little off its end.
std::vector<float> pluckExcitation(std::size_t length, float brightness, CSongRandom& random)
{
    std::vector<float> burst(length);
    const float smoothing = 0.08f + 0.5f * brightness;
    float first = 0.0f;
    float second = 0.0f;
    for (float& sample : burst) {
        first += smoothing * (random.bipolar() - first);
        second += smoothing * (first - second);
        sample = second;
    }
    float mean = 0.0f;
    for (float sample : burst) {
        mean += sample;
    }
    mean /= static_cast<float>(length);
    const std::size_t pluckPoint = std::max<std::size_t>(1, length / 7);
    std::vector<float> shaped(length);
    float peak = 1e-6f;
    for (std::size_t i = 0; i < length; ++i) {
        const float earlier = i >= pluckPoint ? burst[i - pluckPoint] - mean : 0.0f;
        shaped[i] = (burst[i] - mean) - 0.6f * earlier;
        peak = std::max(peak, std::abs(shaped[i]));
    }
    for (float& sample : shaped) {
        sample /= peak;
    }
    return shaped;
}

float polyBlep(double phase, double increment)
{
    if (phase < increment) {
        const double t = phase / increment;
        return static_cast<float>(t + t - t * t - 1.0);
    }
    if (phase > 1.0 - increment) {
        const double t = (phase - 1.0) / increment;
        return static_cast<float>(t * t + t + t + 1.0);
    }
    return 0.0f;
}

class CSawOscillator {
public:
    CSawOscillator(double frequency, int sampleRate, double startPhase)
        : phase_(startPhase), increment_(frequency / sampleRate)
    {
    }
    float next()
    {
        const float value = static_cast<float>(2.0 * phase_ - 1.0) - polyBlep(phase_, increment_);
        phase_ += increment_;
        if (phase_ >= 1.0) {
            phase_ -= 1.0;
        }
        return value;
    }

private:
    double phase_;
    double increment_;
};

// Two one-pole low-passes in a row: a gentle 12 dB per octave slope.
class CSoftLowPass {
public:
    CSoftLowPass(double cutoff, int sampleRate)
        : coefficient_(static_cast<float>(1.0 - std::exp(-kTwoPi * cutoff / sampleRate)))
    {
    }
    float next(float input)
    {
        first_ += coefficient_ * (input - first_);
        second_ += coefficient_ * (first_ - second_);
        return second_;
    }

private:
    float coefficient_;
    float first_ = 0.0f;
    float second_ = 0.0f;
};

} // namespace

std::vector<float> renderPluck(double frequency, int sampleRate, std::int64_t ringSamples,
                               float brightness, float decaySeconds, CSongRandom& random)
{
    // Loop delay = whole samples + half a sample of the averager + a fractional all-pass.
    const double period = sampleRate / frequency;
    const auto whole = static_cast<std::size_t>(std::floor(period - 0.6));
    const double fraction = period - 0.5 - static_cast<double>(whole);
    const auto allPass = static_cast<float>((1.0 - fraction) / (1.0 + fraction));
    const auto loopGain = static_cast<float>(std::pow(10.0, -3.0 / (decaySeconds * frequency)));

    std::vector<float> line = pluckExcitation(whole, brightness, random);
    std::vector<float> out(static_cast<std::size_t>(ringSamples));
    std::size_t at = 0;
    float previous = 0.0f;
    float allPassIn = 0.0f;
    float allPassOut = 0.0f;
    for (float& sample : out) {
        const float current = line[at];
        sample = current;
        const float averaged = 0.5f * (current + previous);
        previous = current;
        allPassOut = allPass * (averaged - allPassOut) + allPassIn;
        allPassIn = averaged;
        line[at] = loopGain * allPassOut;
        if (++at == whole) {
            at = 0;
        }
    }
    applyEdges(out, sampleRate / 400, sampleRate / 12);
    return out;
}

SStereoNote renderPad(double frequency, int sampleRate, std::int64_t lengthSamples,
                      std::int64_t releaseSamples, CSongRandom& random)
{
    const double detune = std::pow(2.0, 7.0 / 1200.0);
    CSawOscillator leftSaw(frequency / detune, sampleRate, random.between(0.0f, 1.0f));
    CSawOscillator rightSaw(frequency * detune, sampleRate, random.between(0.0f, 1.0f));
    const double cutoff = std::min(1100.0, 4.0 * frequency);
    CSoftLowPass leftFilter(cutoff, sampleRate);
    CSoftLowPass rightFilter(cutoff, sampleRate);

    const std::int64_t total = lengthSamples + releaseSamples;
    const std::int64_t attack = sampleRate * 6 / 10;
    SStereoNote note{std::vector<float>(static_cast<std::size_t>(total)),
                     std::vector<float>(static_cast<std::size_t>(total))};
    for (std::int64_t i = 0; i < total; ++i) {
        const float swell = smoothRamp(i, attack);
        const float fade = i < lengthSamples ? 1.0f : 1.0f - smoothRamp(i - lengthSamples, releaseSamples);
        const float envelope = swell * fade;
        note.left[i] = envelope * leftFilter.next(leftSaw.next());
        note.right[i] = envelope * rightFilter.next(rightSaw.next());
    }
    return note;
}

std::vector<float> renderBass(double frequency, int sampleRate, std::int64_t lengthSamples)
{
    const std::int64_t release = sampleRate / 6;
    std::vector<float> out(static_cast<std::size_t>(lengthSamples + release));
    // A rotating unit vector gives sin and cos of the phase without calling sin per sample.
    const double step = kTwoPi * frequency / sampleRate;
    const double stepCos = std::cos(step);
    const double stepSin = std::sin(step);
    double c = 1.0;
    double s = 0.0;
    const double decayPerSample = std::pow(10.0, -3.0 / (6.0 * sampleRate));
    double level = 1.0;
    for (float& sample : out) {
        const double second = 2.0 * s * c;
        const double third = s * (3.0 - 4.0 * s * s);
        sample = static_cast<float>(level * (s + 0.25 * second + 0.08 * third));
        const double nextC = c * stepCos - s * stepSin;
        s = s * stepCos + c * stepSin;
        c = nextC;
        level *= decayPerSample;
    }
    applyEdges(out, sampleRate / 50, release);
    return out;
}
