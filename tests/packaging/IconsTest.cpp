#include "pictures/Encode.h"
#include "pictures/Icons.h"
#include "pictures/Parts.h"
#include "pictures/Png.h"

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
        CRgbaImage image{width, height, {}};
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
        generateIcons(dir_, "org.test.Icon");
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }
    static fs::path dir_;
};
fs::path Icons::dir_;

// Each size is a square of its name with clear corners and an opaque middle.
TEST_F(Icons, EverySizeOfTheThemeIsAFramedSquare)
{
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const Decoded icon = decode(readBytes(dir_ / "hicolor" / name / "apps" / "org.test.Icon.png"));
        ASSERT_EQ(icon.width, size) << name;
        ASSERT_EQ(icon.height, size) << name;
        EXPECT_EQ(pixel(icon, 0, 0)[3], 0) << name;
        EXPECT_EQ(pixel(icon, size - 1, size - 1)[3], 0) << name;
        EXPECT_EQ(pixel(icon, size / 2, size / 2)[3], 255) << name;
        EXPECT_EQ(pixel(icon, size / 2, 0)[3], 255) << name;
    }
}

// The icon shows the scene's own gate: where the gate's stone is solid around a pixel, the
// nearly unscaled 128-pixel icon has the gate's colour there.
TEST_F(Icons, TheGateOfTheSceneIsInTheIcon)
{
    const Decoded icon = decode(readBytes(dir_ / "hicolor" / "128x128" / "apps" / "org.test.Icon.png"));
    ASSERT_EQ(icon.width, 128);
    const CKeyedPicture gate = paintGate();
    const CImage8 colours = toImage8(gate.colour);
    // The square cut around the gate (124 pixels, see Icons.cpp) grows to 128.
    const float scale = 128.0f / 124;
    const int left = 124 / 2 - gate.colour.width() / 2, top = 124 / 2 - gate.colour.height() / 2 - 6;
    int compared = 0, close = 0;
    for (int y = 2; y < gate.colour.height() - 2; y += 3)
        for (int x = 2; x < gate.colour.width() - 2; x += 3) {
            bool solid = true;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    solid = solid && gate.alpha.at(x + dx, y + dy) >= 0.5f;
            if (!solid)
                continue;
            const uint8_t* shown = pixel(icon, static_cast<int>((left + x + 0.5f) * scale),
                                         static_cast<int>((top + y + 0.5f) * scale));
            const auto painted = colours.pixel(x, y);
            int difference = 0;
            for (int c = 0; c < 3; ++c)
                difference = std::max(difference, std::abs(int(shown[c]) - int(painted[c])));
            ++compared;
            close += difference <= 48;
        }
    ASSERT_GT(compared, 100);
    EXPECT_GT(close, compared * 8 / 10) << close << " of " << compared;
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
