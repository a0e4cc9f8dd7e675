#pragma once
#include "music/IAudioDevice.h"

#include <memory>

class IWaveSink;

// The audio device on the system's wave output: the song decoded from its Ogg bytes and fed
// to the device in a few queued buffers from a thread of its own, looping without a gap; the
// beep is the system's default sound. Without an output device `init` fails and everything
// else is silently nothing.
class CWaveOutAudio final : public IAudioDevice {
public:
    CWaveOutAudio();
    // For tests: this sink in place of the system's output, at this rate.
    CWaveOutAudio(std::unique_ptr<IWaveSink> sink, int sampleRate);
    ~CWaveOutAudio() override;
    CWaveOutAudio(const CWaveOutAudio&) = delete;
    CWaveOutAudio& operator=(const CWaveOutAudio&) = delete;

    bool init(int mixRate, int channels) override;
    SAudioStream openLoopingStream(std::span<const std::uint8_t> bytes) override;
    bool play(SAudioStream stream) override;
    void stopAll() override;
    void close(SAudioStream stream) override;
    void beep() override;

private:
    struct SState;
    std::unique_ptr<SState> state_;
};
