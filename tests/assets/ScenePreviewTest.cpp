// Writes what a person should look at before calling the pictures done: each landscape's scene
// composed as the program composes it, one with the gate glowing, a contact sheet of all
// pictures and a larger one of the menu screens and the scene's pictures, as PNG files under
// <build>/test-artefacts/pictures.
#include "PictureFile.h"
#include "Pixels.h"

#include <gtest/gtest.h>

namespace assettest {
namespace {

CPicture load(const std::string& name)
{
    std::optional<CPicture> p = loadWithProgram(gfxDir() / name);
    return p ? *p : CPicture{};
}

CPicture composeScene(int landscape, int dancerFrame, uint8_t glow)
{
    CPicture scene = load("landschaft" + std::to_string(landscape) + ".jpg");
    // The effect surface: black, or the dark red of the glow phase at its brightest.
    CPicture effect{69, 80, std::vector<uint8_t>(69 * 80 * 3, 0)};
    for (int y = 1; y < 80; ++y)
        for (int x = 1; x < 69; ++x)
            effect.set(x, y, {glow, static_cast<uint8_t>(glow % 3), static_cast<uint8_t>(glow % 8)});
    scene.draw(effect, 412, 314);
    const CPicture gate = load("tor.bmp");
    scene.draw(gate, 412, 314, gate.at(15, 55));
    scene.draw(load("f1_1.bmp"), 369, 352);
    scene.draw(load("f2_2.bmp"), 496, 352);
    const CPicture dancer = load("m1_" + std::to_string(dancerFrame) + ".bmp");
    scene.draw(dancer, landscape == 2 ? 580 : 200, landscape == 2 ? 320 : 335, dancer.at(0, 0));
    const CPicture box = load("eingabe.bmp");
    scene.draw(box, 141, 505, box.at(0, 0));
    scene.draw(load("mb_zurueck.bmp"), 700, 24);
    return scene;
}

// Nearest-pixel reduction into a cell, keyed pixels shown on grey.
void placeInCell(CPicture& sheet, const CPicture& p, int cellX, int cellY, int cell)
{
    const float scale = std::min(1.0f, static_cast<float>(cell - 8) / std::max(p.width, p.height));
    const int w = static_cast<int>(p.width * scale), h = static_cast<int>(p.height * scale);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Colour c = p.at(static_cast<int>(x / scale), static_cast<int>(y / scale));
            if (c == kMagenta)
                c = ((x / 6 + y / 6) & 1) ? Colour{70, 70, 70} : Colour{100, 100, 100};
            sheet.set(cellX + (cell - w) / 2 + x, cellY + (cell - h) / 2 + y, c);
        }
}

TEST(ScenePreview, WritesCompositesAndContactSheet)
{
    if (!haveProgramLoader())
        GTEST_SKIP() << "minnespiegel-image is not part of this build";
    const std::filesystem::path dir = artefactDir();
    for (int n = 1; n <= 4; ++n) {
        EXPECT_TRUE(writePng(dir / ("scene_" + std::to_string(n) + ".png"), composeScene(n, 1 + 4 * n, 0)));
    }
    EXPECT_TRUE(writePng(dir / "scene_1_glow.png", composeScene(1, 1, 126)));

    const std::vector<Expected> all = expectedPictures();
    const int cell = 120, columns = 12;
    const int rows = static_cast<int>((all.size() + columns - 1) / columns);
    CPicture sheet{columns * cell, rows * cell, std::vector<uint8_t>(static_cast<size_t>(columns) * cell * rows * cell * 3, 24)};
    for (size_t i = 0; i < all.size(); ++i)
        placeInCell(sheet, load(all[i].name), static_cast<int>(i % columns) * cell, static_cast<int>(i / columns) * cell, cell);
    EXPECT_TRUE(writePng(dir / "contact_sheet.png", sheet));

    // The pictures a change to the menus, landscapes, dancer or box would touch, larger.
    const std::vector<std::string> closer{"mi_titel2.jpg", "mi_help.jpg",     "mi_einstellungen.jpg", "landschaft1.jpg",
                                          "landschaft2.jpg", "landschaft3.jpg", "landschaft4.jpg",     "m1_1.bmp",
                                          "m1_12.bmp",       "m1_40.bmp",       "eingabe.bmp",         "tor.bmp"};
    const int big = 260;
    CPicture detail{4 * big, 3 * big, std::vector<uint8_t>(static_cast<size_t>(4 * big) * 3 * big * 3, 24)};
    for (size_t i = 0; i < closer.size(); ++i)
        placeInCell(detail, load(closer[i]), static_cast<int>(i % 4) * big, static_cast<int>(i / 4) * big, big);
    EXPECT_TRUE(writePng(dir / "contact_sheet_menus_scene.png", detail));
}

} // namespace
} // namespace assettest
