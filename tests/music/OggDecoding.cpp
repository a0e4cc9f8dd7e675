#include "OggDecoding.h"

#include <vorbis/vorbisfile.h>

#include <cstdio>
#include <memory>

std::optional<SDecodedSong> decodeOgg(std::span<const std::uint8_t> ogg)
{
    // vorbisfile reads through stdio: a read-only memory stream serves the bytes.
    FILE* stream = ::fmemopen(const_cast<std::uint8_t*>(ogg.data()), ogg.size(), "rb");
    OggVorbis_File file;
    if (!stream) {
        return std::nullopt;
    }
    if (ov_open(stream, &file, nullptr, 0) != 0) {
        std::fclose(stream);
        return std::nullopt;
    }
    const std::unique_ptr<OggVorbis_File, int (*)(OggVorbis_File*)> closer(&file, ov_clear); // closes the stream
    const vorbis_info* info = ov_info(&file, -1);
    SDecodedSong song{static_cast<int>(info->rate), info->channels, {}, {}};
    float** pcm = nullptr;
    int section = 0;
    long frames = 0;
    while ((frames = ov_read_float(&file, &pcm, 4096, &section)) > 0) {
        song.left.insert(song.left.end(), pcm[0], pcm[0] + frames);
        song.right.insert(song.right.end(), pcm[song.channels - 1], pcm[song.channels - 1] + frames);
    }
    if (frames < 0) {
        return std::nullopt;
    }
    return song;
}
