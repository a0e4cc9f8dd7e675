#include "Pixels.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace assettest {

Colour CPicture::at(int x, int y) const
{
    const size_t i = (static_cast<size_t>(y) * width + x) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

void CPicture::set(int x, int y, Colour c)
{
    const size_t i = (static_cast<size_t>(y) * width + x) * 3;
    rgb[i] = c[0];
    rgb[i + 1] = c[1];
    rgb[i + 2] = c[2];
}

CPicture CPicture::crop(int left, int top, int w, int h) const
{
    CPicture out{w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h * 3)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out.set(x, y, at(left + x, top + y));
    return out;
}

void CPicture::draw(const CPicture& source, int left, int top, std::optional<Colour> key)
{
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < source.width; ++x) {
            const int tx = left + x, ty = top + y;
            if (tx < 0 || ty < 0 || tx >= width || ty >= height)
                continue;
            const Colour c = source.at(x, y);
            if (!key || c != *key)
                set(tx, ty, c);
        }
}

bool haveProgramLoader()
{
#ifdef MINNE_IMAGE_TOOL
    return true;
#else
    return false;
#endif
}

namespace {

std::optional<CPicture> readPpm(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int w = 0, h = 0, maxval = 0;
    if (!(in >> magic >> w >> h >> maxval) || magic != "P6" || maxval != 255)
        return std::nullopt;
    in.get();
    CPicture p{w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h * 3)};
    in.read(reinterpret_cast<char*>(p.rgb.data()), static_cast<std::streamsize>(p.rgb.size()));
    return in ? std::optional<CPicture>(std::move(p)) : std::nullopt;
}

} // namespace

std::optional<CPicture> loadWithProgram(const std::filesystem::path& file, int depth)
{
#ifdef MINNE_IMAGE_TOOL
    const std::filesystem::path out = std::filesystem::temp_directory_path() /
                                      ("minne-assets-" + std::to_string(getpid()) + "-" + file.stem().string() + ".ppm");
    const std::string command = std::string("'") + MINNE_IMAGE_TOOL + "' '" + file.string() + "' '" + out.string() +
                                "' --depth " + std::to_string(depth) + " 2>/dev/null";
    if (std::system(command.c_str()) != 0)
        return std::nullopt;
    std::optional<CPicture> picture = readPpm(out);
    std::filesystem::remove(out);
    return picture;
#else
    (void)file;
    (void)depth;
    return std::nullopt;
#endif
}

float meanAbsDifference(const CPicture& a, const CPicture& b)
{
    double sum = 0;
    for (size_t i = 0; i < a.rgb.size(); ++i)
        sum += std::abs(static_cast<int>(a.rgb[i]) - static_cast<int>(b.rgb[i]));
    return static_cast<float>(sum / a.rgb.size());
}

float luminance(Colour c)
{
    return 0.299f * c[0] + 0.587f * c[1] + 0.114f * c[2];
}

bool writePng(const std::filesystem::path& path, const CPicture& picture)
{
    return stbi_write_png(path.c_str(), picture.width, picture.height, 3, picture.rgb.data(), picture.width * 3) != 0;
}

std::filesystem::path artefactDir()
{
    const std::filesystem::path dir = std::filesystem::path(MINNE_BINARY_DIR) / "test-artefacts" / "pictures";
    std::filesystem::create_directories(dir);
    return dir;
}

} // namespace assettest
