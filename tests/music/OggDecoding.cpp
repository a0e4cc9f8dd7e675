#include "OggDecoding.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct SMemoryReader {
    std::span<const std::uint8_t> bytes;
    std::size_t at = 0;
};

std::size_t readMemory(void* into, std::size_t size, std::size_t count, void* source)
{
    auto* reader = static_cast<SMemoryReader*>(source);
    const std::size_t wanted = size * count;
    const std::size_t given = std::min(wanted, reader->bytes.size() - reader->at);
    std::memcpy(into, reader->bytes.data() + reader->at, given);
    reader->at += given;
    return size == 0 ? 0 : given / size;
}

int seekMemory(void* source, ogg_int64_t offset, int whence)
{
    auto* reader = static_cast<SMemoryReader*>(source);
    const ogg_int64_t base = whence == SEEK_SET ? 0
                             : whence == SEEK_CUR ? static_cast<ogg_int64_t>(reader->at)
                                                  : static_cast<ogg_int64_t>(reader->bytes.size());
    if (base + offset < 0 || base + offset > static_cast<ogg_int64_t>(reader->bytes.size())) {
        return -1;
    }
    reader->at = static_cast<std::size_t>(base + offset);
    return 0;
}

long tellMemory(void* source)
{
    return static_cast<long>(static_cast<SMemoryReader*>(source)->at);
}

} // namespace

std::optional<SDecodedSong> decodeOgg(std::span<const std::uint8_t> ogg)
{
    SMemoryReader reader{ogg};
    OggVorbis_File file;
    const ov_callbacks callbacks{readMemory, seekMemory, nullptr, tellMemory};
    if (ov_open_callbacks(&reader, &file, nullptr, 0, callbacks) != 0) {
        return std::nullopt;
    }
    const std::unique_ptr<OggVorbis_File, int (*)(OggVorbis_File*)> closer(&file, ov_clear);
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

