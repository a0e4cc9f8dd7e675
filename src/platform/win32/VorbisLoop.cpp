#include "platform/win32/VorbisLoop.h"

#include <algorithm>
#include <climits>

#define STB_VORBIS_HEADER_ONLY
#define STB_VORBIS_NO_STDIO
#define STB_VORBIS_NO_PUSHDATA_API
#include <stb_vorbis.h>

struct CVorbisLoop::SDecoder {
    stb_vorbis* vorbis = nullptr;

    explicit SDecoder(stb_vorbis* opened) : vorbis(opened) {}
    SDecoder(const SDecoder&) = delete;
    SDecoder& operator=(const SDecoder&) = delete;
    ~SDecoder() { stb_vorbis_close(vorbis); }
};

std::optional<CVorbisLoop> CVorbisLoop::open(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        return std::nullopt;
    }
    int error = 0;
    stb_vorbis* vorbis = stb_vorbis_open_memory(bytes.data(), static_cast<int>(bytes.size()), &error, nullptr);
    if (!vorbis) {
        return std::nullopt;
    }
    auto decoder = std::make_unique<SDecoder>(vorbis);
    const stb_vorbis_info info = stb_vorbis_get_info(vorbis);
    if (info.channels < 1 || info.channels > 2 || info.sample_rate == 0) {
        return std::nullopt;
    }
    return CVorbisLoop(std::move(decoder), static_cast<int>(info.sample_rate));
}

CVorbisLoop::CVorbisLoop(std::unique_ptr<SDecoder> decoder, int sampleRate)
    : decoder_(std::move(decoder)), sampleRate_(sampleRate)
{
}

CVorbisLoop::~CVorbisLoop() = default;
CVorbisLoop::CVorbisLoop(CVorbisLoop&&) noexcept = default;
CVorbisLoop& CVorbisLoop::operator=(CVorbisLoop&&) noexcept = default;

bool CVorbisLoop::read(std::span<std::int16_t> frames)
{
    std::size_t filled = 0;
    bool restarted = false;
    while (filled + 1 < frames.size()) {
        const std::size_t wanted = std::min<std::size_t>(frames.size() - filled, INT_MAX) & ~std::size_t{1};
        const int got = stb_vorbis_get_samples_short_interleaved(decoder_->vorbis, 2, frames.data() + filled,
                                                                 static_cast<int>(wanted));
        if (got > 0) {
            filled += static_cast<std::size_t>(got) * 2;
            restarted = false;
            continue;
        }
        // The end: start again, unless the song just started and still gave nothing.
        if (restarted) {
            std::fill(frames.begin() + static_cast<std::ptrdiff_t>(filled), frames.end(), std::int16_t{0});
            return false;
        }
        rewind();
        restarted = true;
    }
    std::fill(frames.begin() + static_cast<std::ptrdiff_t>(filled), frames.end(), std::int16_t{0});
    return true;
}

void CVorbisLoop::rewind()
{
    stb_vorbis_seek_start(decoder_->vorbis);
}
