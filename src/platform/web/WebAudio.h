#pragma once
#include "music/IAudioDevice.h"

#include <map>

// Sound through the page's Web Audio: the song is decoded whole with stb_vorbis and looped by
// the browser without a gap; the beep is the same soft tone as on the other systems. Browsers
// start sound only after the user's first click or key, so what is played before then begins
// with that gesture.
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

private:
    bool open_ = false;
    // The page's id of each song, by our handle (the same numbers; kept to refuse strangers).
    std::map<int, int> songs_;
};
