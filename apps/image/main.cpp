// minnespiegel-image INPUT OUTPUT.ppm [--depth 15|16|24|32]
// Loads a picture as the program does (type by content), converts it into a surface of the
// given depth and writes that surface as a binary PPM, so a user can check their own pictures.
#include "common/ProgramFile.h"
#include "image/CDXImage.h"

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kExitWritten = 0;
constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

struct SOptions {
    std::string input;
    std::string output;
    ESurfaceFormat format = ESurfaceFormat::Bgrx32;
};

void printUsage(std::ostream& out)
{
    out << "usage: minnespiegel-image INPUT OUTPUT.ppm [--depth 15|16|24|32]\n"
           "Decodes INPUT (BMP, PSD, TGA, PCX or JFIF JPEG, recognised by content) into a surface\n"
           "of the given colour depth (default 32) and writes it as a binary PPM.\n";
}

std::optional<ESurfaceFormat> parseDepth(std::string_view text)
{
    if (text == "15" || text == "16" || text == "24" || text == "32")
        return surfaceFormatForDepth(std::uint32_t(std::stoi(std::string(text))));
    return std::nullopt;
}

// Nothing on a usage error (after saying why on standard error).
std::optional<SOptions> parseArguments(const std::vector<std::string_view>& args)
{
    SOptions options;
    std::vector<std::string_view> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view depthText;
        if (args[i] == "--depth" && i + 1 < args.size())
            depthText = args[++i];
        else if (args[i].starts_with("--depth="))
            depthText = args[i].substr(8);
        else if (args[i].starts_with("-") && args[i].size() > 1) {
            std::cerr << "minnespiegel-image: unknown option " << args[i] << "\n";
            return std::nullopt;
        } else {
            positional.push_back(args[i]);
            continue;
        }
        const std::optional<ESurfaceFormat> format = parseDepth(depthText);
        if (!format) {
            std::cerr << "minnespiegel-image: --depth takes 15, 16, 24 or 32\n";
            return std::nullopt;
        }
        options.format = *format;
    }
    if (positional.size() != 2)
        return std::nullopt;
    options.input = positional[0];
    options.output = positional[1];
    return options;
}

// One surface pixel as 8-bit red, green, blue; 5- and 6-bit channels repeat their top bits.
void surfacePixelToRgb(const std::uint8_t* p, ESurfaceFormat format, std::uint8_t* rgb)
{
    const auto widen = [](unsigned value, unsigned bits) {
        return std::uint8_t(value << (8 - bits) | value >> (2 * bits - 8));
    };
    const unsigned word = p[0] | p[1] << 8;
    switch (format) {
    case ESurfaceFormat::Rgb555:
        rgb[0] = widen(word >> 10 & 31, 5), rgb[1] = widen(word >> 5 & 31, 5), rgb[2] = widen(word & 31, 5);
        break;
    case ESurfaceFormat::Rgb565:
        rgb[0] = widen(word >> 11 & 31, 5), rgb[1] = widen(word >> 5 & 63, 6), rgb[2] = widen(word & 31, 5);
        break;
    case ESurfaceFormat::Bgr24:
    case ESurfaceFormat::Bgrx32:
        rgb[0] = p[2], rgb[1] = p[1], rgb[2] = p[0];
        break;
    }
}

std::vector<std::uint8_t> surfaceToPpm(const std::vector<std::uint8_t>& surface, std::int32_t width,
                                       std::int32_t height, std::size_t pitch, ESurfaceFormat format)
{
    const std::string header = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    std::vector<std::uint8_t> ppm(header.begin(), header.end());
    const std::size_t start = ppm.size();
    ppm.resize(start + std::size_t(width) * std::size_t(height) * 3);
    std::uint8_t* out = ppm.data() + start;
    const std::size_t step = bytesPerPixel(format);
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* row = surface.data() + pitch * std::size_t(y);
        for (std::int32_t x = 0; x < width; ++x, out += 3)
            surfacePixelToRgb(row + step * std::size_t(x), format, out);
    }
    return ppm;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    FilePtr out = openProgramFile(pathFromNarrowName(path), "wb");
    if (!out) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out.get()) == bytes.size();
    return std::fclose(out.release()) == 0 && written;
}

int run(const SOptions& options)
{
    std::vector<std::uint8_t> surface;
    std::int32_t width = 0, height = 0;
    const std::size_t step = bytesPerPixel(options.format);
    const SurfaceProvider provide = [&](std::int32_t w, std::int32_t h) {
        width = w;
        height = h;
        surface.resize(std::size_t(w) * step * std::size_t(h));
        return std::optional<SSurfaceTarget>(SSurfaceTarget{surface, std::size_t(w) * step, options.format});
    };
    const SDrawResult drawn = CDXImage{}.LoadFileIntoSurface(pathFromNarrowName(options.input), provide);
    if (!drawn) {
        std::cerr << "minnespiegel-image: " << options.input << ": " << drawn.reason << "\n";
        return kExitRefused;
    }
    if (!writeFile(options.output, surfaceToPpm(surface, width, height, std::size_t(width) * step, options.format))) {
        std::cerr << "minnespiegel-image: cannot write " << options.output << "\n";
        return kExitRefused;
    }
    return kExitWritten;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        printUsage(std::cout);
        return kExitWritten;
    }
    const std::optional<SOptions> options = parseArguments(args);
    if (!options) {
        printUsage(std::cerr);
        return kExitUsage;
    }
    return run(*options);
}
