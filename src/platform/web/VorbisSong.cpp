#include "platform/web/VorbisSong.h"

// The declarations only: the decoder itself is compiled once, in StbLibraries.c.
#define STB_VORBIS_HEADER_ONLY
#define STB_VORBIS_NO_STDIO
#define STB_VORBIS_NO_PUSHDATA_API
#include <stb_vorbis.h>

#include <climits>
#include <cstdlib>
#include <memory>

namespace {

struct SSamplesFree {
    void operator()(short* samples) const { std::free(samples); }
};

} // namespace

std::optional<SDecodedSong> decodeVorbisSong(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        return std::nullopt;
    }
    int channels = 0;
    int rate = 0;
    short* raw = nullptr;
    const int frames = stb_vorbis_decode_memory(bytes.data(), static_cast<int>(bytes.size()), &channels, &rate, &raw);
    const std::unique_ptr<short, SSamplesFree> samples(raw);
    if (frames <= 0 || !samples || channels < 1 || channels > 2 || rate <= 0) {
        return std::nullopt;
    }
    SDecodedSong song;
    song.sampleRate = rate;
    song.left.resize(static_cast<std::size_t>(frames));
    song.right.resize(static_cast<std::size_t>(frames));
    for (std::size_t frame = 0; frame < song.left.size(); ++frame) {
        const short* at = samples.get() + frame * static_cast<std::size_t>(channels);
        song.left[frame] = static_cast<float>(at[0]) / 32768.0f;
        song.right[frame] = static_cast<float>(at[channels - 1]) / 32768.0f;
    }
    return song;
}
