#include "OggVorbisEncoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <stdexcept>

namespace {

constexpr int kSerialNumber = 0x4D696E6E;
constexpr std::size_t kChunkFrames = 8192;

// Every libvorbis/libogg state the encoder needs, cleared in reverse order of setting up.
class COggVorbisWriter {
public:
    COggVorbisWriter(int sampleRate, float quality)
    {
        vorbis_info_init(&info_);
        if (vorbis_encode_init_vbr(&info_, 2, sampleRate, quality) != 0) {
            vorbis_info_clear(&info_);
            throw std::runtime_error("the Vorbis encoder refused its settings");
        }
        vorbis_comment_init(&comment_);
        vorbis_analysis_init(&dsp_, &info_);
        vorbis_block_init(&dsp_, &block_);
        ogg_stream_init(&stream_, kSerialNumber);
    }
    ~COggVorbisWriter()
    {
        ogg_stream_clear(&stream_);
        vorbis_block_clear(&block_);
        vorbis_dsp_clear(&dsp_);
        vorbis_comment_clear(&comment_);
        vorbis_info_clear(&info_);
    }
    COggVorbisWriter(const COggVorbisWriter&) = delete;
    COggVorbisWriter& operator=(const COggVorbisWriter&) = delete;

    void writeHeaders(const std::vector<std::pair<std::string, std::string>>& tags)
    {
        for (const auto& [key, value] : tags) {
            vorbis_comment_add_tag(&comment_, key.c_str(), value.c_str());
        }
        ogg_packet identification;
        ogg_packet comments;
        ogg_packet codebooks;
        vorbis_analysis_headerout(&dsp_, &comment_, &identification, &comments, &codebooks);
        ogg_stream_packetin(&stream_, &identification);
        ogg_stream_packetin(&stream_, &comments);
        ogg_stream_packetin(&stream_, &codebooks);
        // The audio must begin on a fresh page.
        ogg_page page;
        while (ogg_stream_flush(&stream_, &page) != 0) {
            appendPage(page);
        }
    }

    void writeSamples(const float* left, const float* right, std::size_t frames)
    {
        float** buffer = vorbis_analysis_buffer(&dsp_, static_cast<int>(frames));
        std::copy(left, left + frames, buffer[0]);
        std::copy(right, right + frames, buffer[1]);
        vorbis_analysis_wrote(&dsp_, static_cast<int>(frames));
        drain();
    }

    std::vector<std::uint8_t> finish()
    {
        vorbis_analysis_wrote(&dsp_, 0);
        drain();
        ogg_page page;
        while (ogg_stream_flush(&stream_, &page) != 0) {
            appendPage(page);
        }
        return std::move(bytes_);
    }

private:
    void drain()
    {
        while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
            vorbis_analysis(&block_, nullptr);
            vorbis_bitrate_addblock(&block_);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp_, &packet) != 0) {
                ogg_stream_packetin(&stream_, &packet);
                ogg_page page;
                while (ogg_stream_pageout(&stream_, &page) != 0) {
                    appendPage(page);
                }
            }
        }
    }

    void appendPage(const ogg_page& page)
    {
        bytes_.insert(bytes_.end(), page.header, page.header + page.header_len);
        bytes_.insert(bytes_.end(), page.body, page.body + page.body_len);
    }

    vorbis_info info_{};
    vorbis_comment comment_{};
    vorbis_dsp_state dsp_{};
    vorbis_block block_{};
    ogg_stream_state stream_{};
    std::vector<std::uint8_t> bytes_;
};

} // namespace

std::vector<std::uint8_t> encodeOggVorbis(const std::vector<float>& left,
                                          const std::vector<float>& right, int sampleRate,
                                          float quality,
                                          const std::vector<std::pair<std::string, std::string>>& tags)
{
    if (left.size() != right.size()) {
        throw std::invalid_argument("the two channels differ in length");
    }
    COggVorbisWriter writer(sampleRate, quality);
    writer.writeHeaders(tags);
    for (std::size_t at = 0; at < left.size(); at += kChunkFrames) {
        const std::size_t frames = std::min(kChunkFrames, left.size() - at);
        writer.writeSamples(left.data() + at, right.data() + at, frames);
    }
    return writer.finish();
}
