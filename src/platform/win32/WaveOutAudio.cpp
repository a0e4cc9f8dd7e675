#include "platform/win32/WaveOutAudio.h"

#include "platform/win32/VorbisLoop.h"
#include "platform/win32/WaveFeeder.h"
#include "platform/win32/WaveOutSink.h"

#include "platform/win32/Win32Api.h"

#include <map>

namespace {
// Four buffers of about 46 ms: the device never waits on a busy frame, and stopping is heard
// at once since the reset drops what is queued.
constexpr std::size_t kBufferCount = 4;
constexpr std::size_t kFramesPerBuffer = 2048;
constexpr int kChannels = 2;
} // namespace

struct CWaveOutAudio::SState {
    std::unique_ptr<IWaveSink> sink;
    int sampleRate = 0;
    std::map<int, CVorbisLoop> streams;
    int lastId = 0;
    int playing = 0;
    // Declared last: it reads the playing stream and writes to the sink, so it goes first.
    std::unique_ptr<CWaveFeeder> feeder;

    void stopFeeder()
    {
        feeder.reset();
        playing = 0;
    }
};

CWaveOutAudio::CWaveOutAudio() : state_(std::make_unique<SState>()) {}

CWaveOutAudio::CWaveOutAudio(std::unique_ptr<IWaveSink> sink, int sampleRate) : CWaveOutAudio()
{
    state_->sink = std::move(sink);
    state_->sampleRate = state_->sink ? sampleRate : 0;
}

CWaveOutAudio::~CWaveOutAudio()
{
    state_->stopFeeder();
}

bool CWaveOutAudio::init(int mixRate, int)
{
    if (!state_->sink) {
        state_->sink = CWaveOutSink::open(mixRate, kChannels, kBufferCount);
        state_->sampleRate = state_->sink ? mixRate : 0;
    }
    return state_->sink != nullptr;
}

SAudioStream CWaveOutAudio::openLoopingStream(std::span<const std::uint8_t> bytes)
{
    if (!state_->sink) {
        return {};
    }
    std::optional<CVorbisLoop> loop = CVorbisLoop::open(bytes);
    // The device plays at one rate; a song at another would play at the wrong pitch.
    if (!loop || loop->sampleRate() != state_->sampleRate) {
        return {};
    }
    const int id = ++state_->lastId;
    state_->streams.emplace(id, std::move(*loop));
    return SAudioStream{id};
}

bool CWaveOutAudio::play(SAudioStream stream)
{
    const auto found = state_->streams.find(stream.id);
    if (!state_->sink || found == state_->streams.end()) {
        return false;
    }
    state_->stopFeeder();
    CVorbisLoop& loop = found->second;
    loop.rewind();
    state_->feeder = std::make_unique<CWaveFeeder>(
        *state_->sink, [&loop](std::span<std::int16_t> samples) { loop.read(samples); }, kBufferCount,
        kFramesPerBuffer * kChannels);
    state_->playing = stream.id;
    return true;
}

void CWaveOutAudio::stopAll()
{
    state_->stopFeeder();
}

void CWaveOutAudio::close(SAudioStream stream)
{
    if (stream.id != 0 && stream.id == state_->playing) {
        state_->stopFeeder();
    }
    state_->streams.erase(stream.id);
}

void CWaveOutAudio::beep()
{
    MessageBeep(0);
}
