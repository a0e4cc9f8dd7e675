#pragma once
#include "music/IAudioDevice.h"

#include <functional>
#include <memory>

// The audio device on SDL2_mixer: the song is a looping music stream read straight from the
// caller's memory, the beep a short generated sound on a free channel. Without a usable sound
// device `init` fails within a moment and everything else is silently nothing.
class CSdlAudio final : public IAudioDevice {
public:
    CSdlAudio();
    ~CSdlAudio() override;
    CSdlAudio(const CSdlAudio&) = delete;
    CSdlAudio& operator=(const CSdlAudio&) = delete;

    bool init(int mixRate, int channels) override;
    SAudioStream openLoopingStream(std::span<const std::uint8_t> bytes) override;
    bool play(SAudioStream stream) override;
    void stopAll() override;
    void close(SAudioStream stream) override;
    void beep() override;

    // Stops everything and closes the sound device, which waits for the mixing thread's next
    // buffer; afterwards the device is silently nothing. It may run on another thread while
    // nothing else uses this object; the destructor does it otherwise.
    void shutDown();

    // Receives everything the device puts out, as interleaved 16-bit samples, on the audio
    // thread; for tests and diagnostics. An empty function stops it.
    using OutputMonitor = std::function<void(std::span<const std::int16_t> samples)>;
    void setOutputMonitor(OutputMonitor monitor);
    // The output really opened: samples a second and channels; 0 before a successful init and
    // after shutDown.
    int outputRate() const;
    int outputChannels() const;

private:
    struct SState;
    std::unique_ptr<SState> state_;
};
