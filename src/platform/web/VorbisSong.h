#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

// A whole Ogg Vorbis song decoded for the browser's audio, which loops a buffer without a gap:
// one plane of samples between -1 and 1 per channel (a mono song gives the same plane twice).
struct SDecodedSong {
    int sampleRate = 0;
    std::vector<float> left;
    std::vector<float> right;
};

// Decodes a song a piece at a time, so a page can go on drawing meanwhile. The bytes are not
// copied and must outlive the decoder.
class CVorbisSongDecoder {
public:
    // Nothing when the bytes are not a Vorbis stream the decoder accepts or have more than two
    // channels.
    static std::optional<CVorbisSongDecoder> open(std::span<const std::uint8_t> bytes);

    ~CVorbisSongDecoder();
    CVorbisSongDecoder(CVorbisSongDecoder&&) noexcept;
    CVorbisSongDecoder& operator=(CVorbisSongDecoder&&) noexcept;

    // Decodes up to `frames` more frames; true once the song's end was reached.
    bool decode(std::size_t frames);
    const SDecodedSong& song() const { return song_; }

private:
    struct SDecoder;
    explicit CVorbisSongDecoder(std::unique_ptr<SDecoder> decoder, int sampleRate);

    std::unique_ptr<SDecoder> decoder_;
    SDecodedSong song_;
    bool finished_ = false;
};

// The whole song at once. Nothing when the decoder refuses the bytes or they hold no samples.
std::optional<SDecodedSong> decodeVorbisSong(std::span<const std::uint8_t> bytes);
