#include "icon/DesktopIcons.h"
#include "icon/Png.h"
#include "pictures/Encode.h"
#include "pictures/Parts.h"

#include <gtest/gtest.h>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <regex>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace assetgen;

namespace {

struct Decoded {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
};

Decoded decode(const std::vector<uint8_t>& png)
{
    Decoded out;
    int channels = 0;
    std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load_from_memory(png.data(), static_cast<int>(png.size()), &out.width, &out.height, &channels, 4),
        stbi_image_free);
    if (pixels)
        out.rgba.assign(pixels.get(), pixels.get() + out.width * out.height * 4);
    return out;
}

std::vector<uint8_t> readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const uint8_t* pixel(const Decoded& image, int x, int y)
{
    return &image.rgba[static_cast<size_t>(y * image.width + x) * 4];
}

// Every byte value in every channel, over more than one stored block (65535 bytes each).
TEST(Png, AnotherDecoderReadsBackEveryPixel)
{
    for (const auto& [width, height] : {std::pair{1, 1}, std::pair{3, 5}, std::pair{181, 97}}) {
        SRgbaImage image{width, height, {}};
        for (int i = 0; i < width * height * 4; ++i)
            image.rgba.push_back(static_cast<uint8_t>(i * 7 + i / 256));
        const Decoded back = decode(encodePng(image));
        EXPECT_EQ(back.width, width);
        EXPECT_EQ(back.height, height);
        EXPECT_EQ(back.rgba, image.rgba) << width << "x" << height;
    }
}

class Icons : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = fs::temp_directory_path() / ("minne-icons-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        generateDesktopIcons(dir_, "org.test.Icon");
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }
    static fs::path dir_;
};
fs::path Icons::dir_;

// Each size is a square of its name: the gate on a clear ground, as on Windows.
TEST_F(Icons, EverySizeOfTheThemeIsTheGateOnAClearSquare)
{
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const Decoded icon = decode(readBytes(dir_ / "hicolor" / name / "apps" / "org.test.Icon.png"));
        ASSERT_EQ(icon.width, size) << name;
        ASSERT_EQ(icon.height, size) << name;
        int opaque = 0;
        for (int i = 3; i < size * size * 4; i += 4)
            opaque += icon.rgba[static_cast<size_t>(i)] == 255;
        EXPECT_EQ(pixel(icon, 0, size / 2)[3], 0) << name;
        EXPECT_EQ(pixel(icon, size - 1, size / 2)[3], 0) << name;
        EXPECT_GT(opaque, size * size / 4) << name;
        EXPECT_LT(opaque, size * size * 3 / 4) << name;
    }
}

// The icon shows the scene's own gate: where the gate's stone is solid around a pixel, the
// 256-pixel icon is opaque with the gate's colour; where the gate is clear, so is the icon.
TEST_F(Icons, TheGateOfTheSceneIsInTheIcon)
{
    const int size = 256;
    const Decoded icon = decode(readBytes(dir_ / "hicolor" / "256x256" / "apps" / "org.test.Icon.png"));
    ASSERT_EQ(icon.width, size);
    const SKeyedPicture gate = paintGate();
    const SImage8 colours = toImage8(gate.colour);
    // The gate stands centred on a square as wide as it is high.
    const int side = std::max(gate.colour.width(), gate.colour.height());
    const int left = (side - gate.colour.width()) / 2, top = (side - gate.colour.height()) / 2;
    const float scale = static_cast<float>(size) / side;
    int solidCompared = 0, solidClose = 0, clearCompared = 0, clearShown = 0;
    for (int y = 2; y < gate.colour.height() - 2; y += 3)
        for (int x = 2; x < gate.colour.width() - 2; x += 3) {
            bool solid = true, clear = true;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx) {
                    solid = solid && gate.alpha.at(x + dx, y + dy) >= 0.99f;
                    clear = clear && gate.alpha.at(x + dx, y + dy) <= 0.01f;
                }
            const uint8_t* shown = pixel(icon, static_cast<int>((left + x + 0.5f) * scale),
                                         static_cast<int>((top + y + 0.5f) * scale));
            if (clear) {
                ++clearCompared;
                clearShown += shown[3] != 0;
            }
            if (!solid)
                continue;
            const auto painted = colours.pixel(x, y);
            int difference = 0;
            for (int c = 0; c < 3; ++c)
                difference = std::max(difference, std::abs(int(shown[c]) - int(painted[c])));
            ++solidCompared;
            solidClose += shown[3] == 255 && difference <= 24;
        }
    ASSERT_GT(solidCompared, 100);
    ASSERT_GT(clearCompared, 20);
    EXPECT_GT(solidClose, solidCompared * 9 / 10) << solidClose << " of " << solidCompared;
    EXPECT_EQ(clearShown, 0);
}

// The window's icon is the 64-pixel icon as C++ bytes.
TEST_F(Icons, TheWindowIconIsTheSixtyFourPixelIcon)
{
    std::ifstream in(dir_ / "WindowIcon.h");
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NE(text.find("kWindowIconSize = 64;"), std::string::npos);
    const std::string list = text.substr(text.find('{') + 1);
    std::vector<uint8_t> bytes;
    const std::regex number("[0-9]+");
    for (auto it = std::sregex_iterator(list.begin(), list.end(), number); it != std::sregex_iterator(); ++it)
        bytes.push_back(static_cast<uint8_t>(std::stoi(it->str())));
    const Decoded png = decode(readBytes(dir_ / "hicolor" / "64x64" / "apps" / "org.test.Icon.png"));
    EXPECT_EQ(bytes, png.rgba);
}

} // namespace
