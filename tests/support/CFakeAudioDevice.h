#pragma once
#include "music/IAudioDevice.h"

#include <map>
#include <string>
#include <vector>

// An audio device for tests: it plays nothing, but behaves like the real one towards its
// callers (it refuses everything before a successful init, accepts only Ogg data, plays one
// stream at a time) and records every call. It reads a stream's bytes again when the stream is
// played and closed, so a caller that frees them too early is caught by the sanitizers, and
// reports bytes that changed underneath it.
class CFakeAudioDevice final : public IAudioDevice {
public:
    // Faults a real system can have.
    void setNoDevice(bool noDevice) { noDevice_ = noDevice; }
    void setFailPlay(bool fail) { failPlay_ = fail; }

    bool init(int mixRate, int channels) override;
    SAudioStream openLoopingStream(std::span<const std::uint8_t> bytes) override;
    bool play(SAudioStream stream) override;
    void stopAll() override;
    void close(SAudioStream stream) override;
    void beep() override;

    // Every call in order: "init 44100 32", "open 1 (2048 bytes)", "open refused", "play 1",
    // "play 1 failed", "stop all", "close 1", "beep".
    const std::vector<std::string>& calls() const { return calls_; }
    // The stream that sounds now, or the empty handle.
    SAudioStream playing() const { return playing_; }
    std::size_t openStreams() const { return streams_.size(); }
    int beeps() const { return beeps_; }
    // Calls that found a stream's bytes changed since it was opened.
    int corruptions() const { return corruptions_; }

private:
    struct SOpenStream {
        std::span<const std::uint8_t> bytes;
        std::uint32_t checksum = 0;
    };
    void checkBytes(const SOpenStream& stream);

    bool noDevice_ = false;
    bool failPlay_ = false;
    bool initialised_ = false;
    int nextId_ = 1;
    std::map<int, SOpenStream> streams_;
    SAudioStream playing_;
    int beeps_ = 0;
    int corruptions_ = 0;
    std::vector<std::string> calls_;
};
