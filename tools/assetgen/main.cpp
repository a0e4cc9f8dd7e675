// minnespiegel-assetgen OUTDIR: writes OUTDIR/gfx/*, OUTDIR/resource.dat and OUTDIR/icon/minnespiegel.ico,
// deterministically.
// minnespiegel-assetgen --icons OUTDIR APPID: the desktop's icons and the window's icon.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#ifdef ASSETGEN_HAVE_PICTURES
#include "pictures/Pictures.h"
#endif
#ifdef ASSETGEN_HAVE_SONG
#include "song/Song.h"
#endif
#ifdef ASSETGEN_HAVE_ICON
#include "icon/DesktopIcons.h"
#include "icon/Icon.h"
#endif

namespace {

int writeIcons(const std::filesystem::path& out, const std::string& appId)
{
#ifdef ASSETGEN_HAVE_ICON
    try {
        assetgen::generateDesktopIcons(out, appId);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "minnespiegel-assetgen: %s\n", e.what());
        return 1;
    }
#else
    (void)out;
    (void)appId;
    std::fprintf(stderr, "minnespiegel-assetgen: built without the icon\n");
    return 1;
#endif
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
#ifdef ASSETGEN_HAVE_PICTURES
        generatePictures(out / "gfx");
#endif
#ifdef ASSETGEN_HAVE_SONG
        generateSongPackage(out / "resource.dat");
#endif
#ifdef ASSETGEN_HAVE_ICON
        // Beside the data, not in it: the Windows build links it into the executable.
        std::filesystem::create_directories(out / "icon");
        assetgen::generateIcon(out / "icon" / "minnespiegel.ico");
#endif
    } catch (const std::exception& e) {
        std::fprintf(stderr, "minnespiegel-assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
