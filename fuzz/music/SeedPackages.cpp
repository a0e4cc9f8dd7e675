// Writes small valid song packages as the fuzzer's starting points (no binary files are kept
// in the sources).
#include "song/PeResourceWriter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

std::vector<std::uint8_t> bytes(const char* text)
{
    return {text, text + std::char_traits<char>::length(text)};
}

void write(const std::filesystem::path& path, const std::vector<std::uint8_t>& module)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(module.data()),
                                                static_cast<std::streamsize>(module.size()));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: music-fuzz-seeds OUTDIR\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);
    write(out / "song.dat", buildResourceModule({{"OGG", "MUSIC.OGG", 0x0407, bytes("OggS song")}}));
    write(out / "several.dat",
          buildResourceModule({{"OGG", "MUSIC.OGG", 0x0407, bytes("OggS one")},
                               {"OGG", "MUSIC.OGG", 0x0409, bytes("OggS two")},
                               {"OGG", "#1", 0x0407, bytes("numbered")},
                               {"#10", "#1", 0x0407, bytes("data")},
                               {"\xC4", "\xDC", 0, bytes("umlauts")}}));
    write(out / "empty.dat", buildResourceModule({}));
    return 0;
}
