#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

// A song decoded from Ogg Vorbis bytes in memory into interleaved 16-bit stereo, without end:
// after the last sample the next read goes on with the first, in the same call, so the loop
// has no gap. The bytes are not copied and must outlive the loop.
class CVorbisLoop {
public:
    // Nothing when the bytes are not a Vorbis stream the decoder accepts, or the stream is
    // neither mono nor stereo.
    static std::optional<CVorbisLoop> open(std::span<const std::uint8_t> bytes);

    ~CVorbisLoop();
    CVorbisLoop(CVorbisLoop&&) noexcept;
    CVorbisLoop& operator=(CVorbisLoop&&) noexcept;

    int sampleRate() const { return sampleRate_; }
    // Fills all of `frames` (two samples per frame); false only when the song yields no
    // samples at all, and then the rest is silence.
    bool read(std::span<std::int16_t> frames);
    // Back to the first sample.
    void rewind();

private:
    struct SDecoder;
    CVorbisLoop(std::unique_ptr<SDecoder> decoder, int sampleRate);

    std::unique_ptr<SDecoder> decoder_;
    int sampleRate_;
};
