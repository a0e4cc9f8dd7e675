#include "icon/DesktopIcons.h"
#include "icon/Png.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

#include <memory>

using namespace assetgen;

namespace {

struct Decoded {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
    const uint8_t* at(int x, int y) const { return &rgba[static_cast<size_t>(y * width + x) * 4]; }
};

Decoded decode(const std::string& png)
{
    Decoded out;
    int channels = 0;
    std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(png.data()), static_cast<int>(png.size()),
                              &out.width, &out.height, &channels, 4),
        stbi_image_free);
    if (pixels)
        out.rgba.assign(pixels.get(), pixels.get() + out.width * out.height * 4);
    return out;
}

// Every byte value in every channel, over more than one stored block (65535 bytes each).
TEST(Png, AnotherDecoderReadsBackEveryPixel)
{
    for (const auto& [width, height] : {std::pair{1, 1}, std::pair{3, 5}, std::pair{181, 97}}) {
        SRgbaImage image{width, height, {}};
        for (int i = 0; i < width * height * 4; ++i)
            image.rgba.push_back(static_cast<uint8_t>(i * 7 + i / 256));
        const std::vector<uint8_t> png = encodePng(image);
        const Decoded back = decode({png.begin(), png.end()});
        EXPECT_EQ(back.width, width);
        EXPECT_EQ(back.height, height);
        EXPECT_EQ(back.rgba, image.rgba) << width << "x" << height;
    }
}

// Each size is a square of its name: the gate on a clear ground, as on Windows.
TEST(Icons, EverySizeOfTheThemeIsTheGateOnAClearSquare)
{
    const CTempFolder folder("icons");
    generateDesktopIcons(folder.path(), "org.test.Icon");
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const Decoded shown = decode(CTempFolder::read(folder / "hicolor" / name / "apps" / "org.test.Icon.png"));
        ASSERT_EQ(shown.width, size);
        ASSERT_EQ(shown.height, size);
        int opaque = 0;
        for (int i = 3; i < size * size * 4; i += 4)
            opaque += shown.rgba[static_cast<size_t>(i)] == 255;
        EXPECT_EQ(shown.at(0, size / 2)[3], 0) << size;
        EXPECT_EQ(shown.at(size - 1, size / 2)[3], 0) << size;
        EXPECT_GT(opaque, size * size / 4) << size;
        EXPECT_LT(opaque, size * size * 3 / 4) << size;
    }
}

} // namespace
