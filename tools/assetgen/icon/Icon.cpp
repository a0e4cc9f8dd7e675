#include "icon/Icon.h"

#include "pictures/Parts.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace assetgen {
namespace {

uint32_t channel(float value) { return static_cast<uint32_t>(std::lround(clamp01(value) * 255.0f)); }

} // namespace

SIconImage squareIcon(const CCanvas& colour, const CMask& alpha, int size)
{
    const int side = std::max(colour.width(), colour.height());
    const int left = (side - colour.width()) / 2;
    const int top = (side - colour.height()) / 2;
    CCanvas weighted(side, side);
    CCanvas coverage(side, side);
    for (int y = 0; y < colour.height(); ++y) {
        for (int x = 0; x < colour.width(); ++x) {
            const float a = alpha.at(x, y);
            weighted.at(left + x, top + y) = colour.at(x, y) * a;
            coverage.at(left + x, top + y) = SRgb{a, a, a};
        }
    }
    const CCanvas smallWeighted = weighted.resized(size, size);
    const CCanvas smallCoverage = coverage.resized(size, size);
    SIconImage image{size, std::vector<uint32_t>(static_cast<size_t>(size * size))};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float a = smallCoverage.at(x, y).r;
            const SRgb c = a > 0 ? smallWeighted.at(x, y) * (1.0f / a) : SRgb{};
            image.bgra[static_cast<size_t>(y * size + x)] =
                channel(a) << 24 | channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
        }
    }
    return image;
}

void generateIcon(const std::filesystem::path& file)
{
    const SKeyedPicture gate = paintGate();
    std::vector<SIconImage> images;
    for (const int size : {16, 32, 48, 256}) {
        images.push_back(squareIcon(gate.colour, gate.alpha, size));
    }
    const std::vector<uint8_t> bytes = encodeIco(images);
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

} // namespace assetgen
