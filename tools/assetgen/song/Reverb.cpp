#include "Reverb.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace {

class CDampedComb {
public:
    CDampedComb(std::size_t length, float feedback, float damping)
        : buffer_(length, 0.0f), feedback_(feedback), damping_(damping)
    {
    }
    float process(float input)
    {
        const float output = buffer_[at_];
        stored_ = output * (1.0f - damping_) + stored_ * damping_;
        buffer_[at_] = input + stored_ * feedback_;
        if (++at_ == buffer_.size()) {
            at_ = 0;
        }
        return output;
    }

private:
    std::vector<float> buffer_;
    float feedback_;
    float damping_;
    float stored_ = 0.0f;
    std::size_t at_ = 0;
};

class CAllPass {
public:
    explicit CAllPass(std::size_t length) : buffer_(length, 0.0f) {}
    float process(float input)
    {
        const float delayed = buffer_[at_];
        buffer_[at_] = input + delayed * 0.5f;
        if (++at_ == buffer_.size()) {
            at_ = 0;
        }
        return delayed - input;
    }

private:
    std::vector<float> buffer_;
    std::size_t at_ = 0;
};

// Delay lengths (samples at 44.1 kHz) chosen mutually prime-ish so the echoes do not line up;
// the right side is a little longer, which widens the image.
constexpr std::array<int, 8> kCombLengths{1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<int, 4> kAllPassLengths{556, 441, 341, 225};
constexpr int kRightSpread = 23;
constexpr float kFeedback = 0.86f;
constexpr float kDamping = 0.3f;
constexpr float kInputGain = 0.02f;

class CSideReverb {
public:
    CSideReverb(int sampleRate, int spread)
    {
        const double scale = sampleRate / 44100.0;
        for (int length : kCombLengths) {
            combs_.emplace_back(static_cast<std::size_t>((length + spread) * scale), kFeedback, kDamping);
        }
        for (int length : kAllPassLengths) {
            allPasses_.emplace_back(static_cast<std::size_t>((length + spread) * scale));
        }
    }
    float process(float input)
    {
        const float fed = input * kInputGain;
        float sum = 0.0f;
        for (CDampedComb& comb : combs_) {
            sum += comb.process(fed);
        }
        for (CAllPass& allPass : allPasses_) {
            sum = allPass.process(sum);
        }
        return sum;
    }

private:
    std::vector<CDampedComb> combs_;
    std::vector<CAllPass> allPasses_;
};

} // namespace

void addCircularReverb(const std::vector<float>& send, std::vector<float>& left,
                       std::vector<float>& right, int sampleRate, float wet)
{
    CSideReverb leftReverb(sampleRate, 0);
    CSideReverb rightReverb(sampleRate, kRightSpread);
    // Ten seconds is far longer than the reverb needs to die away, so the state entering the
    // start equals the state leaving the end.
    const std::size_t count = send.size();
    const std::size_t warmUp = std::min<std::size_t>(count, static_cast<std::size_t>(sampleRate) * 10);
    for (std::size_t i = count - warmUp; i < count; ++i) {
        leftReverb.process(send[i]);
        rightReverb.process(send[i]);
    }
    for (std::size_t i = 0; i < count; ++i) {
        left[i] += wet * leftReverb.process(send[i]);
        right[i] += wet * rightReverb.process(send[i]);
    }
}
