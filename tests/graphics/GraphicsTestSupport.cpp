#include "GraphicsTestSupport.h"

#include <fstream>

TestScreen openTestScreen(std::uint32_t depth, std::int32_t width, std::int32_t height, CNullDisplay::Refusals refusals)
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
    std::vector<std::uint32_t> pixels;
    surface.Lock();
    for (std::int32_t y = 0; y < surface.height(); ++y) {
        for (std::int32_t x = 0; x < surface.width(); ++x) {
            pixels.push_back(surface.getPixel(x, y));
        }
    }
    surface.Unlock();
    return pixels;
}

void writePixels(CSurface& surface, const std::vector<std::uint32_t>& pixels)
{
    const Rect clip = surface.clipRect();
    surface.SetClipRect(Rect{0, 0, surface.width(), surface.height()});
    surface.Lock();
    for (std::int32_t y = 0; y < surface.height(); ++y) {
        for (std::int32_t x = 0; x < surface.width(); ++x) {
            surface.putPixel(x, y, pixels[static_cast<std::size_t>(y * surface.width() + x)]);
        }
    }
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
    const std::int32_t stride = (width * 3 + 3) & ~3;
    const std::uint32_t imageBytes = static_cast<std::uint32_t>(stride * height);
    std::vector<std::uint8_t> file(54 + imageBytes, 0);
    const auto put32 = [&file](std::size_t at, std::uint32_t v) {
        for (int b = 0; b < 4; ++b) {
            file[at + static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(v >> (8 * b));
        }
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    file[26] = 1;
    file[28] = 24;
    put32(34, imageBytes);
    for (std::int32_t y = 0; y < height; ++y) {
        std::uint8_t* row = file.data() + 54 + (height - 1 - y) * stride;
        for (std::int32_t x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[static_cast<std::size_t>(y * width + x)];
            row[3 * x] = static_cast<std::uint8_t>(p);
            row[3 * x + 1] = static_cast<std::uint8_t>(p >> 8);
            row[3 * x + 2] = static_cast<std::uint8_t>(p >> 16);
        }
    }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                 static_cast<std::streamsize>(file.size()));
}

std::filesystem::path testFolder(const std::string& name)
{
    const std::filesystem::path folder = std::filesystem::path(MINNE_BINARY_DIR) / "test-files" / "graphics" / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}
