#pragma once
#include "music/IAudioDevice.h"
#include "platform/web/VorbisSong.h"

#include <map>
#include <optional>

// Sound through the page's Web Audio: the song is decoded with stb_vorbis a piece at a time
// between frames (the page goes on drawing meanwhile) and then looped by the browser without a
// gap; the beep is the same soft tone as on the other systems. Browsers start sound only after
// the user's first click or key, so what is played before then begins with that gesture.
class CWebAudio final : public IAudioDevice {
public:
    CWebAudio() = default;
    ~CWebAudio() override;
    CWebAudio(const CWebAudio&) = delete;
    CWebAudio& operator=(const CWebAudio&) = delete;

    bool init(int mixRate, int channels) override;
    SAudioStream openLoopingStream(std::span<const std::uint8_t> bytes) override;
    bool play(SAudioStream stream) override;
    void stopAll() override;
    void close(SAudioStream stream) override;
    void beep() override;

    // One piece of decoding, called by the page between frames; false when nothing is left.
    bool decodeSome();

private:
    bool open_ = false;
    int nextSong_ = 1;
    // Songs still being decoded; a finished one is handed to the page and leaves this map.
    std::map<int, CVorbisSongDecoder> decoding_;
    // Every song the page knows or will know, by its handle.
    std::map<int, bool> songs_;
};
