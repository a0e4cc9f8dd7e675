#include "platform/web/WebAudio.h"

#include "music/BeepTone.h"
#include "platform/web/VorbisSong.h"
#include "platform/web/WebPage.h"

#include <vector>

CWebAudio::~CWebAudio()
{
    if (open_) {
        stopAll();
        for (const auto& [handle, song] : songs_) {
            minne_page_audio_close(song);
        }
    }
}

bool CWebAudio::init(int mixRate, int)
{
    if (open_) {
        return true;
    }
    const int rate = minne_page_audio_open();
    if (rate <= 0) {
        return false;
    }
    open_ = true;
    const std::vector<std::uint8_t> wave = makeBeepWave(mixRate > 0 ? mixRate : rate);
    minne_page_audio_set_beep(wave.data(), static_cast<int>(wave.size()));
    return true;
}

SAudioStream CWebAudio::openLoopingStream(std::span<const std::uint8_t> bytes)
{
    if (!open_) {
        return {};
    }
    const std::optional<SDecodedSong> song = decodeVorbisSong(bytes);
    if (!song) {
        return {};
    }
    const int id = minne_page_audio_song(song->left.data(), song->right.data(), static_cast<int>(song->left.size()),
                                         song->sampleRate);
    if (id <= 0) {
        return {};
    }
    songs_[id] = id;
    return SAudioStream{id};
}

bool CWebAudio::play(SAudioStream stream)
{
    const auto song = songs_.find(stream.id);
    return open_ && song != songs_.end() && minne_page_audio_play(song->second) != 0;
}

void CWebAudio::stopAll()
{
    if (open_) {
        minne_page_audio_stop_all();
    }
}

void CWebAudio::close(SAudioStream stream)
{
    const auto song = songs_.find(stream.id);
    if (song == songs_.end()) {
        return;
    }
    minne_page_audio_close(song->second);
    songs_.erase(song);
}

void CWebAudio::beep()
{
    if (open_) {
        minne_page_audio_beep();
    }
}
