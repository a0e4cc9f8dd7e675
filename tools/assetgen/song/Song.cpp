#include "Song.h"

#include "OggVorbisEncoder.h"
#include "PeResourceWriter.h"
#include "Renderer.h"
#include "Score.h"

#include <fstream>
#include <stdexcept>

namespace {

constexpr int kSampleRate = 44100;
// About 130 kbit/s: full stereo coding, clean for soft plucked strings and reverb.
constexpr float kQuality = 0.4f;

void writeFileAtomically(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            throw std::runtime_error("cannot write " + temporary.string());
        }
    }
    std::filesystem::rename(temporary, path);
}

} // namespace

void generateSongPackage(const std::filesystem::path& resourceDat)
{
    const SScore score = composeSong(kSampleRate);
    const SSongAudio audio = renderSong(score, kSampleRate);
    SResourceItem song{"OGG", "MUSIC.OGG", 0x0407,
                       encodeOggVorbis(audio.left, audio.right, kSampleRate, kQuality,
                                       {{"TITLE", "Spiegelwalzer"}, {"ALBUM", "Minnespiegel 2004"}})};
    writeFileAtomically(resourceDat, buildResourceModule({song}));
}
