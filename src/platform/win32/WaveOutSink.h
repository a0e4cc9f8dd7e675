#pragma once
#include "platform/win32/WaveFeeder.h"

#include <memory>

// The system's wave output (winmm) as the feeder's sink: 16-bit interleaved samples at one
// rate, buffers handed back through an event.
class CWaveOutSink final : public IWaveSink {
public:
    // Nothing when there is no output device that takes this format.
    static std::unique_ptr<CWaveOutSink> open(int sampleRate, int channels, std::size_t bufferCount);
    ~CWaveOutSink() override;
    CWaveOutSink(const CWaveOutSink&) = delete;
    CWaveOutSink& operator=(const CWaveOutSink&) = delete;

    bool submit(std::size_t index, std::span<const std::int16_t> samples) override;
    bool finished(std::size_t index) override;
    void waitForAny(std::chrono::milliseconds limit) override;
    void reset() override;

private:
    struct SDevice;
    explicit CWaveOutSink(std::unique_ptr<SDevice> device);
    std::unique_ptr<SDevice> device_;
};
