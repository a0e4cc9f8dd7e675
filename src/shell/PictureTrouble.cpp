#include "shell/PictureTrouble.h"

#include <array>
#include <utility>

namespace {

bool mentions(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

// The first row whose words the reason holds decides; the loaders' reasons share these words
// whatever the picture type. (Octal escapes where a hex one would swallow the next letter.)
constexpr std::array<std::pair<std::string_view, std::string_view>, 16> kTroubles{{
    {"No such file", "Datei fehlt"},
    {"cannot open", "Datei l\xE4sst sich nicht \366ffnen"},
    {"cannot read", "Datei l\xE4sst sich nicht lesen"},
    {"out of memory", "zu wenig Speicher"},
    {"no surface", "zu wenig Speicher"},
    {"too short", "Datei ist abgeschnitten"},
    {"ends early", "Datei ist abgeschnitten"},
    {"ends before", "Datei ist abgeschnitten"},
    {"past the end", "Datei ist abgeschnitten"},
    {"larger than", "Bild ist zu gro\xDF"},
    {"too large", "Bild ist zu gro\xDF"},
    {"not supported", "Bildart wird nicht unterst\xFCtzt"},
    {"only RGB", "Bildart wird nicht unterst\xFCtzt"},
    {"not a ", "kein lesbares Bildformat"},
    {"unknown image type", "kein lesbares Bildformat"},
    {"no display mode", "kein Bildschirmmodus eingestellt"},
}};

} // namespace

std::string pictureTroubleInGerman(std::string_view loaderReason)
{
    for (const auto& [words, german] : kTroubles) {
        if (mentions(loaderReason, words)) {
            return std::string(german);
        }
    }
    return "Datei ist besch\344digt";
}
