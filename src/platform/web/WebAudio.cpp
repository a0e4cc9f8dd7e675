#include "platform/web/WebAudio.h"

#include "music/BeepTone.h"
#include "platform/web/WebPage.h"

#include <emscripten/emscripten.h>

#include <vector>

namespace {

// The tone is made at the rate browsers mix at; the page converts it as it must.
constexpr int kBeepRate = 44100;
// About a tenth of a second of a song per piece: a few milliseconds of decoding.
constexpr std::size_t kFramesPerPiece = 4096;

} // namespace

CWebAudio::~CWebAudio()
{
    if (open_) {
        minne_page_audio_decode_later(nullptr);
        stopAll();
        for (const auto& [song, known] : songs_) {
            minne_page_audio_close(song);
        }
    }
}

bool CWebAudio::init(int, int)
{
    if (open_) {
        return true;
    }
    if (minne_page_audio_open() == 0) {
        return false;
    }
    open_ = true;
    const std::vector<std::uint8_t> wave = makeBeepWave(kBeepRate);
    minne_page_audio_set_beep(wave.data(), static_cast<int>(wave.size()));
    return true;
}

SAudioStream CWebAudio::openLoopingStream(std::span<const std::uint8_t> bytes)
{
    if (!open_) {
        return {};
    }
    std::optional<CVorbisSongDecoder> decoder = CVorbisSongDecoder::open(bytes);
    if (!decoder) {
        return {};
    }
    const int song = nextSong_++;
    decoding_.emplace(song, std::move(*decoder));
    songs_[song] = true;
    minne_page_audio_decode_later(this);
    return SAudioStream{song};
}

bool CWebAudio::decodeSome()
{
    if (decoding_.empty()) {
        return false;
    }
    const auto song = decoding_.begin();
    if (song->second.decode(kFramesPerPiece)) {
        const SDecodedSong& decoded = song->second.song();
        if (!decoded.left.empty()) {
            minne_page_audio_song(song->first, decoded.left.data(), decoded.right.data(),
                                  static_cast<int>(decoded.left.size()), decoded.sampleRate);
        }
        decoding_.erase(song);
    }
    return !decoding_.empty();
}

bool CWebAudio::play(SAudioStream stream)
{
    return open_ && songs_.count(stream.id) != 0 && minne_page_audio_play(stream.id) != 0;
}

void CWebAudio::stopAll()
{
    if (open_) {
        minne_page_audio_stop_all();
    }
}

void CWebAudio::close(SAudioStream stream)
{
    if (songs_.erase(stream.id) == 0) {
        return;
    }
    decoding_.erase(stream.id);
    minne_page_audio_close(stream.id);
}

void CWebAudio::beep()
{
    if (open_) {
        minne_page_audio_beep();
    }
}

extern "C" EMSCRIPTEN_KEEPALIVE int minne_web_audio_decode(void* audio)
{
    return static_cast<CWebAudio*>(audio)->decodeSome() ? 1 : 0;
}
