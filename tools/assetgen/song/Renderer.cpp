#include "Renderer.h"

#include "Instruments.h"
#include "Reverb.h"
#include "SongRandom.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

// A calm background level; the rare plucked peaks above the knee are rounded off towards the
// ceiling, which leaves headroom for the lossy coder's small overshoots.
constexpr double kTargetRms = 0.085;
constexpr float kKnee = 0.6f;
constexpr float kCeiling = 0.9f;
constexpr float kReverbWet = 1.0f;

struct SPlacement {
    float left;
    float right;
    float send; // how much goes to the reverb
};

SPlacement placementOf(EVoice voice)
{
    switch (voice) {
    case EVoice::Melody: return {1.2f, 1.5f, 0.5f};
    case EVoice::Arpeggio: return {0.44f, 0.32f, 0.45f};
    case EVoice::Pad: return {0.055f, 0.055f, 0.35f};
    case EVoice::Bass: return {0.19f, 0.19f, 0.05f};
    }
    return {0.0f, 0.0f, 0.0f};
}

// Memoryless, so it keeps the circle seamless.
float softLimit(float sample)
{
    const float size = std::abs(sample);
    if (size <= kKnee) {
        return sample;
    }
    const float rounded = kKnee + (kCeiling - kKnee) * std::tanh((size - kKnee) / (kCeiling - kKnee));
    return sample < 0.0f ? -rounded : rounded;
}

class CCircularMix {
public:
    CCircularMix(std::int64_t length)
        : length_(length), left_(static_cast<std::size_t>(length)),
          right_(static_cast<std::size_t>(length)), send_(static_cast<std::size_t>(length))
    {
    }

    void add(std::int64_t start, const std::vector<float>& left, const std::vector<float>& right,
             float send)
    {
        std::size_t at = wrap(start);
        for (std::size_t i = 0; i < left.size(); ++i) {
            left_[at] += left[i];
            right_[at] += right[i];
            send_[at] += send * (left[i] + right[i]);
            if (++at == left_.size()) {
                at = 0;
            }
        }
    }

    SSongAudio finish(int sampleRate)
    {
        addCircularReverb(send_, left_, right_, sampleRate, kReverbWet);
        double energy = 1e-12;
        for (std::size_t i = 0; i < left_.size(); ++i) {
            energy += static_cast<double>(left_[i]) * left_[i] + static_cast<double>(right_[i]) * right_[i];
        }
        const auto scale = static_cast<float>(kTargetRms / std::sqrt(energy / (2.0 * left_.size())));
        for (std::size_t i = 0; i < left_.size(); ++i) {
            left_[i] = softLimit(left_[i] * scale);
            right_[i] = softLimit(right_[i] * scale);
        }
        return {std::move(left_), std::move(right_)};
    }

private:
    std::size_t wrap(std::int64_t position) const
    {
        return static_cast<std::size_t>(((position % length_) + length_) % length_);
    }

    std::int64_t length_;
    std::vector<float> left_;
    std::vector<float> right_;
    std::vector<float> send_;
};

std::vector<float> scaled(const std::vector<float>& samples, float gain)
{
    std::vector<float> out(samples.size());
    std::transform(samples.begin(), samples.end(), out.begin(), [gain](float s) { return s * gain; });
    return out;
}

void renderNote(const SNote& note, int sampleRate, CSongRandom& random, CCircularMix& mix)
{
    const double frequency = midiToFrequency(note.midi);
    const SPlacement place = placementOf(note.voice);
    const float gain = note.velocity;
    switch (note.voice) {
    case EVoice::Melody:
    case EVoice::Arpeggio: {
        const bool melody = note.voice == EVoice::Melody;
        // Harp strings are not damped: a note rings on past its written length.
        const std::int64_t ring = note.length + sampleRate * (melody ? 2 : 1);
        const float decay = static_cast<float>((melody ? 3.2 : 2.4) * std::sqrt(440.0 / frequency));
        const std::vector<float> string =
            renderPluck(frequency, sampleRate, ring, melody ? 0.55f : 0.35f,
                        std::clamp(decay, 0.8f, 4.5f), random);
        mix.add(note.start, scaled(string, gain * place.left), scaled(string, gain * place.right),
                place.send);
        break;
    }
    case EVoice::Pad: {
        const SStereoNote pad = renderPad(frequency, sampleRate, note.length, sampleRate, random);
        mix.add(note.start, scaled(pad.left, gain * place.left), scaled(pad.right, gain * place.right),
                place.send);
        break;
    }
    case EVoice::Bass: {
        const std::vector<float> bass = renderBass(frequency, sampleRate, note.length);
        mix.add(note.start, scaled(bass, gain * place.left), scaled(bass, gain * place.right),
                place.send);
        break;
    }
    }
}

} // namespace

SSongAudio renderSong(const SScore& score, int sampleRate)
{
    CCircularMix mix(score.totalSamples);
    CSongRandom random(0x53706965u);
    for (const SNote& note : score.notes) {
        renderNote(note, sampleRate, random, mix);
    }
    return mix.finish(sampleRate);
}
