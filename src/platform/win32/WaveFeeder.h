#pragma once
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <thread>
#include <vector>

// Where the feeder's buffers go: a queue of numbered buffers that the device plays in the
// order they came and hands back one by one.
class IWaveSink {
public:
    virtual ~IWaveSink() = default;
    // Queues the samples of buffer `index`; they stay untouched until the buffer is finished.
    virtual bool submit(std::size_t index, std::span<const std::int16_t> samples) = 0;
    // True when the buffer was never queued or the device is done with it.
    virtual bool finished(std::size_t index) = 0;
    // Waits until the device may have finished a buffer, at most this long.
    virtual void waitForAny(std::chrono::milliseconds limit) = 0;
    // Stops the output at once and hands back every buffer.
    virtual void reset() = 0;
};

// Keeps a few buffers queued on the sink from a thread of its own, refilling each from the
// source as soon as the device gives it back, so the sound never runs dry between frames.
class CWaveFeeder {
public:
    using Source = std::function<void(std::span<std::int16_t> samples)>;

    CWaveFeeder(IWaveSink& sink, Source source, std::size_t bufferCount, std::size_t samplesPerBuffer);
    ~CWaveFeeder();
    CWaveFeeder(const CWaveFeeder&) = delete;
    CWaveFeeder& operator=(const CWaveFeeder&) = delete;

    // Ends the thread and silences the sink; the source is not called afterwards.
    void stop();

private:
    void run();

    IWaveSink& sink_;
    Source source_;
    std::vector<std::vector<std::int16_t>> buffers_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};
