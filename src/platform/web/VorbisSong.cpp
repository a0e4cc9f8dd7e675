#include "platform/web/VorbisSong.h"

// The declarations only: the decoder itself is compiled once, in StbLibraries.c.
#define STB_VORBIS_HEADER_ONLY
#define STB_VORBIS_NO_STDIO
#define STB_VORBIS_NO_PUSHDATA_API
#include <stb_vorbis.h>

#include <algorithm>
#include <climits>

struct CVorbisSongDecoder::SDecoder {
    stb_vorbis* vorbis = nullptr;
    int channels = 0;
    ~SDecoder()
    {
        if (vorbis) {
            stb_vorbis_close(vorbis);
        }
    }
};

CVorbisSongDecoder::CVorbisSongDecoder(std::unique_ptr<SDecoder> decoder, int sampleRate)
    : decoder_(std::move(decoder))
{
    song_.sampleRate = sampleRate;
}

CVorbisSongDecoder::~CVorbisSongDecoder() = default;
CVorbisSongDecoder::CVorbisSongDecoder(CVorbisSongDecoder&&) noexcept = default;
CVorbisSongDecoder& CVorbisSongDecoder::operator=(CVorbisSongDecoder&&) noexcept = default;

std::optional<CVorbisSongDecoder> CVorbisSongDecoder::open(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        return std::nullopt;
    }
    auto decoder = std::make_unique<SDecoder>();
    int error = 0;
    decoder->vorbis = stb_vorbis_open_memory(bytes.data(), static_cast<int>(bytes.size()), &error, nullptr);
    if (!decoder->vorbis) {
        return std::nullopt;
    }
    const stb_vorbis_info info = stb_vorbis_get_info(decoder->vorbis);
    if (info.channels < 1 || info.channels > 2 || info.sample_rate == 0) {
        return std::nullopt;
    }
    decoder->channels = info.channels;
    return CVorbisSongDecoder(std::move(decoder), static_cast<int>(info.sample_rate));
}

bool CVorbisSongDecoder::decode(std::size_t frames)
{
    float* planes[2] = {nullptr, nullptr};
    while (!finished_ && frames > 0) {
        const std::size_t start = song_.left.size();
        const std::size_t step = std::min<std::size_t>(frames, 4096);
        song_.left.resize(start + step);
        song_.right.resize(start + step);
        planes[0] = song_.left.data() + start;
        planes[1] = song_.right.data() + start;
        const int got = stb_vorbis_get_samples_float(decoder_->vorbis, decoder_->channels, planes,
                                                     static_cast<int>(step));
        const std::size_t taken = static_cast<std::size_t>(std::max(got, 0));
        if (decoder_->channels == 1) {
            std::copy_n(song_.left.begin() + static_cast<std::ptrdiff_t>(start), taken,
                        song_.right.begin() + static_cast<std::ptrdiff_t>(start));
        }
        song_.left.resize(start + taken);
        song_.right.resize(start + taken);
        finished_ = taken == 0;
        frames -= std::min(frames, std::max<std::size_t>(taken, 1));
    }
    return finished_;
}

std::optional<SDecodedSong> decodeVorbisSong(std::span<const std::uint8_t> bytes)
{
    std::optional<CVorbisSongDecoder> decoder = CVorbisSongDecoder::open(bytes);
    if (!decoder) {
        return std::nullopt;
    }
    while (!decoder->decode(1 << 16)) {
    }
    if (decoder->song().left.empty()) {
        return std::nullopt;
    }
    return decoder->song();
}
