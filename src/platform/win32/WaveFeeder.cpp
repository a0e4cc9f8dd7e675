#include "platform/win32/WaveFeeder.h"

namespace {
// Long enough not to cost anything while idle, short enough that stop() answers at once
// even when the device never reports a finished buffer.
constexpr std::chrono::milliseconds kWaitLimit{50};
} // namespace

CWaveFeeder::CWaveFeeder(IWaveSink& sink, Source source, std::size_t bufferCount, std::size_t samplesPerBuffer)
    : sink_(sink), source_(std::move(source)), buffers_(bufferCount, std::vector<std::int16_t>(samplesPerBuffer))
{
    thread_ = std::thread([this] { run(); });
}

CWaveFeeder::~CWaveFeeder()
{
    stop();
}

void CWaveFeeder::stop()
{
    stopping_ = true;
    if (thread_.joinable()) {
        thread_.join();
        sink_.reset();
    }
}

void CWaveFeeder::run()
{
    // The device hands buffers back in the order they were queued: refilling them round the
    // ring keeps the samples in the order they were made.
    std::size_t next = 0;
    while (!stopping_) {
        while (!stopping_ && sink_.finished(next)) {
            source_(buffers_[next]);
            if (!sink_.submit(next, buffers_[next])) {
                return;
            }
            next = (next + 1) % buffers_.size();
        }
        sink_.waitForAny(kWaitLimit);
    }
}
