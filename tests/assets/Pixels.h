// Pictures as the program sees them: decoded by its own loader (minnespiegel-image), plus the
// little pixel work the checks and the preview composites need, and a PNG writer for those.
#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace assettest {

using Colour = std::array<uint8_t, 3>;
constexpr Colour kMagenta{255, 0, 255};

struct CPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    Colour at(int x, int y) const;
    void set(int x, int y, Colour c);
    CPicture crop(int left, int top, int w, int h) const;
    // Copies source onto this picture at (left, top); with a key, pixels of that colour are
    // skipped, as the program's keyed blit does.
    void draw(const CPicture& source, int left, int top, std::optional<Colour> key = std::nullopt);
};

bool haveProgramLoader();
// The picture as the program's loader decodes it at a display depth, widened back to 8 bits.
std::optional<CPicture> loadWithProgram(const std::filesystem::path& file, int depth = 32);

float meanAbsDifference(const CPicture& a, const CPicture& b);
float luminance(Colour c);
bool writePng(const std::filesystem::path& path, const CPicture& picture);
std::filesystem::path artefactDir();

} // namespace assettest
