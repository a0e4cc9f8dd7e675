#include "pictures/Pictures.h"

#include "pictures/Encode.h"
#include "pictures/Parts.h"
#include "pictures/Ui.h"

#include <string>

using namespace assetgen;

namespace {

constexpr int kJpegQuality = 92;

std::string numbered(const char* base, size_t n)
{
    return std::string(base) + "_" + std::to_string(n) + ".bmp";
}

void writeJpeg(const std::filesystem::path& path, const CCanvas& canvas)
{
    writeFile(path, encodeJpeg(toImage8(canvas), kJpegQuality));
}

void writeKeyed24(const std::filesystem::path& path, const SKeyedPicture& picture)
{
    writeFile(path, encodeBmp24(toKeyedImage8(picture.colour, picture.alpha)));
}

// Pictures of few colours go out as 8-bit files, some run-length coded, so the program's
// loader meets every BMP variant it supports in real use.
void writeKeyed8(const std::filesystem::path& path, const SKeyedPicture& picture, bool runLength)
{
    writeFile(path, encodeBmp8(quantize(toKeyedImage8(picture.colour, picture.alpha), 256), runLength));
}

void write8(const std::filesystem::path& path, const CCanvas& canvas)
{
    writeFile(path, encodeBmp8(quantize(toImage8(canvas), 256), false));
}

std::vector<CCanvas> writeLandscapes(const std::filesystem::path& gfx, const SWall& wall)
{
    std::vector<CCanvas> landscapes;
    for (int n = 1; n <= 4; ++n) {
        landscapes.push_back(paintLandscape(n, wall));
        writeJpeg(gfx / ("landschaft" + std::to_string(n) + ".jpg"), landscapes.back());
    }
    return landscapes;
}

void writeScene(const std::filesystem::path& gfx, const SWall& wall)
{
    writeKeyed24(gfx / "tor.bmp", paintGate());
    for (const bool left : {true, false}) {
        const std::vector<CCanvas> frames = paintTorchFrames(wall, left);
        for (size_t k = 0; k < frames.size(); ++k)
            writeFile(gfx / numbered(left ? "f1" : "f2", k), encodeBmp24(toImage8(frames[k])));
    }
    const std::vector<SKeyedPicture> dancer = paintDancerFrames();
    for (size_t k = 0; k < dancer.size(); ++k)
        writeKeyed8(gfx / numbered("m1", k), dancer[k], true);
    writeKeyed24(gfx / "eingabe.bmp", paintQuestionBox());
}

void writeMenus(const std::filesystem::path& gfx)
{
    const std::vector<uint8_t> title = encodeJpeg(toImage8(paintTitle().picture), kJpegQuality);
    writeFile(gfx / "mi_titel2.jpg", title);
    const std::vector<CCanvas> menu = paintMenuFrames(toCanvas(decodeJpeg(title)));
    for (size_t k = 0; k < menu.size(); ++k)
        writeFile(gfx / numbered("menu", k), encodeBmp24(toImage8(menu[k])));
    writeJpeg(gfx / "mi_einstellungen.jpg", paintSettingsScreen().picture);
    writeJpeg(gfx / "mi_help.jpg", paintHelpScreen().picture);
}

void writeButtons(const std::filesystem::path& gfx, const std::vector<CCanvas>& landscapes)
{
    writeKeyed8(gfx / "mb_back.bmp", paintLandscapeSelector(landscapes), false);
    writeKeyed8(gfx / "mb_music.bmp", paintMusicSelector(), true);
    write8(gfx / "mb_gender.bmp", paintGenderSelector());
    const struct {
        const char* file;
        int width;
        const char* label;
    } plaques[] = {{"mb_zurueck.bmp", 77, "Zurück"},         {"mb_einstellungen.bmp", 178, "Einstellungen"},
                   {"mb_internet.bmp", 178, "Homepage"},     {"mb_hilfe.bmp", 77, "Hilfe"},
                   {"mb_start.bmp", 77, "Start"},            {"mb_ende.bmp", 77, "Ende"}};
    for (const auto& p : plaques)
        writeFile(gfx / p.file, encodeBmp24(toImage8(paintPlaqueButton(p.width, 32, p.label))));
    writeKeyed8(gfx / "cursor.bmp", paintCursor(), true);
    const std::vector<CCanvas> loader = paintLoaderFrames();
    for (size_t k = 0; k < loader.size(); ++k)
        write8(gfx / numbered("Wait", k), loader[k]);
}

} // namespace

void generatePictures(const std::filesystem::path& gfxDir)
{
    const SWall wall = buildWall();
    const std::vector<CCanvas> landscapes = writeLandscapes(gfxDir, wall);
    writeScene(gfxDir, wall);
    writeMenus(gfxDir);
    writeButtons(gfxDir, landscapes);
}
