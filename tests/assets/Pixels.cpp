#include "Pixels.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

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

namespace {

uint32_t crc32(const uint8_t* data, size_t n, uint32_t crc = 0)
{
    crc = ~crc;
    for (size_t i = 0; i < n; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0 - (crc & 1)));
    }
    return ~crc;
}

void putBig32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int s = 24; s >= 0; s -= 8)
        out.push_back(static_cast<uint8_t>(v >> s));
}

void chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data)
{
    putBig32(out, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    putBig32(out, crc32(body.data(), body.size()));
}

// zlib with stored (uncompressed) deflate blocks: simple, and fine for test artefacts.
std::vector<uint8_t> zlibStored(const std::vector<uint8_t>& raw)
{
    std::vector<uint8_t> out{0x78, 0x01};
    for (size_t at = 0; at < raw.size() || at == 0; at += 65535) {
        const size_t n = std::min<size_t>(65535, raw.size() - at);
        out.push_back(at + n >= raw.size() ? 1 : 0);
        out.push_back(static_cast<uint8_t>(n));
        out.push_back(static_cast<uint8_t>(n >> 8));
        out.push_back(static_cast<uint8_t>(~n));
        out.push_back(static_cast<uint8_t>(~n >> 8));
        out.insert(out.end(), raw.begin() + static_cast<long>(at), raw.begin() + static_cast<long>(at + n));
        if (raw.empty())
            break;
    }
    uint32_t a = 1, b = 0;
    for (uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    putBig32(out, b << 16 | a);
    return out;
}

} // namespace

void writePng(const std::filesystem::path& path, const CPicture& picture)
{
    std::vector<uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    putBig32(header, static_cast<uint32_t>(picture.width));
    putBig32(header, static_cast<uint32_t>(picture.height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB
    chunk(png, "IHDR", header);
    std::vector<uint8_t> raw;
    for (int y = 0; y < picture.height; ++y) {
        raw.push_back(0);
        const auto row = picture.rgb.begin() + static_cast<long>(y) * picture.width * 3;
        raw.insert(raw.end(), row, row + picture.width * 3);
    }
    chunk(png, "IDAT", zlibStored(raw));
    chunk(png, "IEND", {});
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
}

std::filesystem::path artefactDir()
{
    const std::filesystem::path dir = std::filesystem::path(MINNE_BINARY_DIR) / "test-artefacts" / "pictures";
    std::filesystem::create_directories(dir);
    return dir;
}

} // namespace assettest
