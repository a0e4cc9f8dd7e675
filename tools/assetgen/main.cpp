// minnespiegel-assetgen OUTDIR: writes OUTDIR/gfx/*, OUTDIR/resource.dat and OUTDIR/icon/minnespiegel.ico,
// deterministically.
// minnespiegel-assetgen --icons OUTDIR APPID: the desktop's icons and the window's icon.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "icon/DesktopIcons.h"
#include "icon/Icon.h"
#include "pictures/Pictures.h"
#include "song/Song.h"

namespace {

int writeIcons(const std::filesystem::path& out, const std::string& appId)
{
    try {
        assetgen::generateDesktopIcons(out, appId);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "minnespiegel-assetgen: %s\n", e.what());
        return 1;
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--icons") {
        return writeIcons(argv[2], argv[3]);
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: minnespiegel-assetgen OUTDIR | --icons OUTDIR APPID\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    try {
        std::filesystem::create_directories(out / "gfx");
        generatePictures(out / "gfx");
        generateSongPackage(out / "resource.dat");
        // Beside the data, not in it: the Windows build links it into the executable.
        std::filesystem::create_directories(out / "icon");
        assetgen::generateIcon(out / "icon" / "minnespiegel.ico");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "minnespiegel-assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
