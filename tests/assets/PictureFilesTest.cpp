// Every picture the program loads is there, in the format and size it expects, read by the
// program's own loader, made the same way on every run, and fit to the places the program
// draws it.
#include "TempFolder.h"
#include "image/CDXImage.h"
#include "pictures/Pictures.h"
#include "shell/MenuLayout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <set>

namespace {

// Pixels as the surface holds them: 0x00RRGGBB at 32 bits, the 15- or 16-bit word below that.
using Colour = uint32_t;
constexpr Colour kMagenta = 0xFF00FF;

// How the program's loader must meet each file: JPEG, or BMP at 24 bits, 8 bits, 8 bits RLE.
enum class EFormat { Jpeg, Bmp24, Bmp8, Bmp8Rle };

struct SExpected {
    std::string name;
    EFormat format;
    int width, height;
};

std::vector<SExpected> expectedPictures()
{
    using enum EFormat;
    std::vector<SExpected> list{{"tor.bmp", Bmp24, 69, 104},         {"eingabe.bmp", Bmp24, 500, 100},
                                {"mb_back.bmp", Bmp8, 290, 58},      {"mb_music.bmp", Bmp8Rle, 116, 58},
                                {"mb_gender.bmp", Bmp8, 116, 58},    {"mb_zurueck.bmp", Bmp24, 77, 32},
                                {"mb_hilfe.bmp", Bmp24, 77, 32},     {"mb_start.bmp", Bmp24, 77, 32},
                                {"mb_ende.bmp", Bmp24, 77, 32},      {"mb_einstellungen.bmp", Bmp24, 178, 32},
                                {"mb_internet.bmp", Bmp24, 178, 32}, {"cursor.bmp", Bmp8Rle, 20, 23},
                                {"mi_titel2.jpg", Jpeg, 800, 600},   {"mi_einstellungen.jpg", Jpeg, 800, 600},
                                {"mi_help.jpg", Jpeg, 800, 600}};
    const auto numbered = [&list](const std::string& stem, int count, EFormat format, int width, int height) {
        for (int k = 0; k < count; ++k)
            list.push_back({stem + std::to_string(k) + ".bmp", format, width, height});
    };
    numbered("f1_", 10, Bmp24, 28, 64);
    numbered("f2_", 10, Bmp24, 28, 64);
    numbered("m1_", 67, Bmp8Rle, 140, 180);
    numbered("menu_", 6, Bmp24, 400, 340);
    numbered("Wait_", 6, Bmp8, 320, 240);
    for (int n = 1; n <= 4; ++n)
        list.push_back({"landschaft" + std::to_string(n) + ".jpg", Jpeg, 800, 600});
    return list;
}

std::filesystem::path gfxDir()
{
    return std::filesystem::path(MINNE_DATA_DIR) / "gfx";
}

struct SPicture {
    int width = 0, height = 0;
    std::vector<Colour> pixels;
    Colour at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The picture as the loader draws it into a surface of this depth, or nothing when the loader
// refuses it.
std::optional<SPicture> loadPicture(const std::filesystem::path& file, int depth = 32)
{
    const SDecodeResult decoded = CDXImage{}.LoadFromFile(file);
    const std::optional<ESurfaceFormat> format = surfaceFormatForDepth(static_cast<std::uint32_t>(depth));
    if (!decoded || !format)
        return std::nullopt;
    const CDib& dib = *decoded.dib;
    const size_t bytes = bytesPerPixel(*format);
    std::vector<uint8_t> surface(static_cast<size_t>(dib.width()) * dib.height() * bytes);
    if (!ConvertDib(dib, *format, surface, static_cast<size_t>(dib.width()) * bytes))
        return std::nullopt;
    SPicture picture{dib.width(), dib.height(), {}};
    for (size_t i = 0; i < surface.size(); i += bytes)
        picture.pixels.push_back(surface[i] | surface[i + 1] << 8 | (bytes > 2 ? surface[i + 2] << 16 : 0));
    return picture;
}

uint32_t le16(const std::vector<uint8_t>& b, size_t at) { return b.at(at) | b.at(at + 1) << 8; }

TEST(PictureFiles, EveryPictureHasItsFormatAndSizeAndNothingElseLiesThere)
{
    std::set<std::string> expected;
    for (const SExpected& e : expectedPictures()) {
        SCOPED_TRACE(e.name);
        expected.insert(e.name);
        const std::string file = CTempFolder::read(gfxDir() / e.name);
        const std::vector<uint8_t> bytes(file.begin(), file.end());
        ASSERT_GT(bytes.size(), 54u) << "missing or empty";
        if (e.format == EFormat::Jpeg) {
            EXPECT_EQ(CDXImage::DetectType(bytes), EImageType::JPEG);
        } else {
            EXPECT_EQ(CDXImage::DetectType(bytes), EImageType::BMP);
            EXPECT_EQ(le16(bytes, 28), e.format == EFormat::Bmp24 ? 24u : 8u);
            EXPECT_EQ(le16(bytes, 30), e.format == EFormat::Bmp8Rle ? 1u : 0u);
        }
        for (const int depth : {16, 32}) {
            const auto picture = loadPicture(gfxDir() / e.name, depth);
            ASSERT_TRUE(picture) << "refused at depth " << depth;
            EXPECT_EQ(picture->width, e.width);
            EXPECT_EQ(picture->height, e.height);
        }
    }
    for (const auto& entry : std::filesystem::directory_iterator(gfxDir()))
        EXPECT_TRUE(expected.count(entry.path().filename().string())) << entry.path();
}

TEST(PictureFiles, TwoRunsOfTheGeneratorWriteIdenticalFiles)
{
    const CTempFolder folder("pictures");
    generatePictures(folder.path());
    for (const SExpected& e : expectedPictures()) {
        const std::string again = CTempFolder::read(folder / e.name);
        EXPECT_FALSE(again.empty()) << e.name;
        EXPECT_TRUE(again == CTempFolder::read(gfxDir() / e.name)) << e.name << " differs between runs";
    }
}

// A keyed picture must keep its key colour to itself at every display depth, or parts of the
// picture would turn transparent on a 15- or 16-bit display.
TEST(PictureFiles, KeyColoursStayUniqueAtFifteenAndSixteenBits)
{
    std::vector<std::pair<std::string, std::pair<int, int>>> keyed{
        {"tor.bmp", {15, 55}}, {"eingabe.bmp", {0, 0}}, {"mb_back.bmp", {0, 0}},
        {"mb_music.bmp", {0, 0}}, {"cursor.bmp", {0, 0}}};
    for (int k = 0; k < 67; k += 11)
        keyed.push_back({"m1_" + std::to_string(k) + ".bmp", {0, 0}});
    for (const auto& [name, keyAt] : keyed) {
        SCOPED_TRACE(name);
        const auto full = loadPicture(gfxDir() / name, 32);
        ASSERT_TRUE(full);
        EXPECT_EQ(full->at(keyAt.first, keyAt.second), kMagenta);
        for (const int depth : {15, 16}) {
            const auto low = loadPicture(gfxDir() / name, depth);
            ASSERT_TRUE(low);
            const Colour key = low->at(keyAt.first, keyAt.second);
            int collisions = 0;
            for (int y = 0; y < full->height; ++y)
                for (int x = 0; x < full->width; ++x)
                    collisions += full->at(x, y) != kMagenta && low->at(x, y) == key;
            EXPECT_EQ(collisions, 0) << "at depth " << depth;
        }
    }
}

// Pixels the program relies on: `marked` of them lie in `area`, all of them inside `spot`.
enum class EMark { Key, Ink, ChangedFromMenu5 };
struct SPlace {
    std::string file;
    EMark mark;
    menu_layout::SRect area;
    menu_layout::SRect spot;
    int atLeast;
    const char* why;
};

bool inside(const menu_layout::SRect& r, int x, int y)
{
    return x >= r.left && y >= r.top && x < r.left + r.width && y < r.top + r.height;
}

TEST(PictureFiles, ThePlacesTheProgramDrawsOnFitThePictures)
{
    std::vector<SPlace> places{
        {"tor.bmp", EMark::Key, {0, 0, 69, 80}, {1, 1, 67, 79}, 2000,
         "the gate's window lies over its 69 x 80 glow surface and does not run out of it"},
        {"cursor.bmp", EMark::Ink, {0, 0, 20, 3}, {7, 2, 1, 1}, 1, "the cursor's tip is at (7, 2)"},
    };
    // Each menu frame repeats the title beneath and highlights its entry under its hotspot
    // (the frames are drawn at y 230).
    for (int k = 0; k < 5; ++k) {
        const menu_layout::SRect& hotspot = menu_layout::kHotspots[k];
        places.push_back({"menu_" + std::to_string(k) + ".bmp", EMark::ChangedFromMenu5, {0, 0, 400, 340},
                          {0, hotspot.top - 230 - 4, 400, hotspot.height + 8}, 300, "the menu entry lights up"});
    }
    const auto menu5 = loadPicture(gfxDir() / "menu_5.bmp");
    ASSERT_TRUE(menu5);
    for (const SPlace& place : places) {
        SCOPED_TRACE(place.file + ": " + place.why);
        const auto picture = loadPicture(gfxDir() / place.file);
        ASSERT_TRUE(picture);
        int in = 0, out = 0;
        for (int y = place.area.top; y < place.area.top + place.area.height; ++y)
            for (int x = place.area.left; x < place.area.left + place.area.width; ++x) {
                const Colour c = picture->at(x, y);
                int change = 0;
                for (int shift = 0; shift < 24; shift += 8)
                    change += std::abs(int(c >> shift & 0xFF) - int(menu5->at(x, y) >> shift & 0xFF));
                const bool marked = place.mark == EMark::Key ? c == kMagenta
                                    : place.mark == EMark::Ink ? c != kMagenta
                                                               : change > 24;
                (inside(place.spot, x, y) ? in : out) += marked;
            }
        EXPECT_GE(in, place.atLeast);
        EXPECT_EQ(out, 0);
    }
}

} // namespace
