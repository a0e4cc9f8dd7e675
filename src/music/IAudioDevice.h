#pragma once
#include <cstdint>
#include <span>

// A stream handed out by the audio device; the empty handle stands for "no stream".
struct SAudioStream {
    int id = 0;
    explicit operator bool() const { return id != 0; }
    bool operator==(const SAudioStream&) const = default;
};

// The sound output as the music player and the shell need it. The platform layer implements
// it on the system's mixer; tests use CFakeAudioDevice.
class IAudioDevice {
public:
    virtual ~IAudioDevice() = default;

    // Starts the output at this mixing rate with this many channels that can sound at once.
    // False when there is no usable device; everything else then does nothing.
    virtual bool init(int mixRate, int channels) = 0;
    // Opens a stream on a complete Ogg Vorbis file in memory that, once played, loops until it
    // is stopped. The bytes are not copied: they must stay alive and unchanged until the stream
    // is closed. The empty handle when the device or the decoder refuses.
    virtual SAudioStream openLoopingStream(std::span<const std::uint8_t> bytes) = 0;
    // Plays the stream from its beginning on any free channel; false when it cannot.
    virtual bool play(SAudioStream stream) = 0;
    // Silences everything that sounds.
    virtual void stopAll() = 0;
    // Stops the stream if it sounds and lets go of it (and of its bytes). An empty or unknown
    // handle is ignored.
    virtual void close(SAudioStream stream) = 0;
    // A short tone telling the user that a key was refused; silence when there is no device.
    virtual void beep() = 0;
};
