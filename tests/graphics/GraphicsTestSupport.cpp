#include "GraphicsTestSupport.h"

#include "../image/PictureFiles.h"

#include <algorithm>

TestScreen openTestScreen(std::uint32_t depth, std::int32_t width, std::int32_t height, CNullDisplay::SRefusals refusals)
{
    auto display = std::make_unique<CNullDisplay>(std::move(refusals));
    TestScreen result;
    result.display = display.get();
    result.screen = std::make_unique<CScreen>(std::move(display), std::make_unique<CNullFontRasterizer>());
    result.screen->OpenFullScreen(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), depth);
    return result;
}

std::vector<std::uint32_t> readPixels(CSurface& surface)
{
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(surface.width() * surface.height()));
    surface.Lock();
    for (std::int32_t i = 0; i < surface.width() * surface.height(); ++i)
        pixels[static_cast<std::size_t>(i)] = surface.getPixel(i % surface.width(), i / surface.width());
    surface.Unlock();
    return pixels;
}

void writePixels(CSurface& surface, const std::vector<std::uint32_t>& pixels)
{
    const SRect clip = surface.clipRect();
    surface.SetClipRect(SRect{0, 0, surface.width(), surface.height()});
    surface.Lock();
    for (std::int32_t i = 0; i < surface.width() * surface.height(); ++i)
        surface.putPixel(i % surface.width(), i / surface.width(), pixels[static_cast<std::size_t>(i)]);
    surface.Unlock();
    surface.SetClipRect(clip);
}

std::uint32_t readPixel(CSurface& surface, std::int32_t x, std::int32_t y)
{
    surface.Lock();
    const std::uint32_t pixel = surface.getPixel(x, y);
    surface.Unlock();
    return pixel;
}

std::unique_ptr<CSurface> randomSurface(CScreen& screen, std::int32_t width, std::int32_t height, std::uint32_t key,
                                        double keyShare, std::mt19937& random)
{
    auto surface = std::make_unique<CSurface>();
    surface->Create(screen, width, height, 2);
    const std::uint32_t depth = surface->format().depth;
    const std::uint32_t valueMask = depth == 24 ? 0xFFFFFFu : depth == 32 ? 0xFFFFFFFFu : 0xFFFFu;
    std::bernoulli_distribution keyed(keyShare);
    std::uniform_int_distribution<int> runLength(1, 6);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::size_t i = 0;
    while (i < pixels.size()) {
        const bool isKey = keyed(random);
        for (int n = runLength(random); n > 0 && i < pixels.size(); --n, ++i) {
            // Key pixels of 32 bits may differ in the fourth byte: only the colour is compared.
            const std::uint32_t noise = static_cast<std::uint32_t>(random());
            pixels[i] = isKey ? (depth == 32 ? (key & 0xFFFFFFu) | (noise & 0xFF000000u) : key) : noise & valueMask;
        }
    }
    writePixels(*surface, pixels);
    return surface;
}

void writeBmp24(const std::filesystem::path& path, std::int32_t width, std::int32_t height,
                const std::vector<std::uint32_t>& pixels)
{
    const pictures::Bytes file = pictures::makeBmp(
        {.width = width, .height = height, .pixelData = pictures::dibRows(width, height, 3, [&](int x, int y) {
             return pixels[static_cast<std::size_t>(y * width + x)];
         })});
    CTempFolder::writeFile(path, std::string(file.begin(), file.end()));
}

SRect inkBox(CSurface& surface, std::uint32_t ground)
{
    SRect box{surface.width(), surface.height(), 0, 0};
    const auto pixels = readPixels(surface);
    for (std::int32_t i = 0; i < surface.width() * surface.height(); ++i) {
        const std::int32_t x = i % surface.width(), y = i / surface.width();
        if (pixels[static_cast<std::size_t>(i)] != ground)
            box = SRect{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                        std::max(box.bottom, y + 1)};
    }
    return box;
}
