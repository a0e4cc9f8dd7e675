#include "platform/sdl/FontRasterizer.h"

#include "common/Cp1252.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

struct CFontRasterizer::SLibrary {
    FT_Library freeType = nullptr;
    FcConfig* fontConfig = nullptr;

    ~SLibrary()
    {
        if (fontConfig) {
            FcConfigDestroy(fontConfig);
        }
        if (freeType) {
            FT_Done_FreeType(freeType);
        }
    }
};

namespace {

// A cell height of 0 asks for the platform's default size.
constexpr std::int32_t kDefaultCellHeight = 16;

struct SFontFile {
    std::string path;
    int index = 0;
};

std::optional<SFontFile> findFontFile(FcConfig* config, const SFontRequest& request)
{
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) {
        return std::nullopt;
    }
    const std::string family = cp1252ToUtf8(request.faceName);
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(std::clamp(request.weight <= 0 ? 400 : request.weight, 1, 1000)));
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) {
        return std::nullopt;
    }
    std::optional<SFontFile> file;
    FcChar8* path = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        file = SFontFile{reinterpret_cast<const char*>(path), index};
    }
    FcPatternDestroy(match);
    return file;
}

// The face's ascent and descent in font units as the platform's text layout measures a cell:
// the OS/2 table's Windows values where the face has them.
struct SCellUnits {
    long ascent;
    long descent;
};

SCellUnits cellUnits(FT_Face face)
{
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
        return {os2->usWinAscent, os2->usWinDescent};
    }
    return {face->ascender, -face->descender};
}

class CFreeTypeFace final : public IFontFace {
public:
    CFreeTypeFace(FT_Face face, std::int32_t cellHeight, std::int32_t ascent)
        : face_(face), cellHeight_(cellHeight), ascent_(ascent)
    {
    }
    ~CFreeTypeFace() override { FT_Done_Face(face_); }
    CFreeTypeFace(const CFreeTypeFace&) = delete;
    CFreeTypeFace& operator=(const CFreeTypeFace&) = delete;

    std::int32_t cellHeight() const override { return cellHeight_; }
    std::int32_t ascent() const override { return ascent_; }

    SGlyphImage renderGlyph(unsigned char character) override
    {
        SGlyphImage glyph;
        const FT_UInt index = FT_Get_Char_Index(face_, cp1252ToUnicode(character));
        if (FT_Load_Glyph(face_, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0) {
            return glyph;
        }
        const FT_GlyphSlot slot = face_->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        glyph.advance = static_cast<std::int32_t>((slot->advance.x + 32) >> 6);
        if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO || bitmap.width == 0 || bitmap.rows == 0) {
            return glyph;
        }
        glyph.left = slot->bitmap_left;
        glyph.top = ascent_ - slot->bitmap_top;
        glyph.width = static_cast<std::int32_t>(bitmap.width);
        glyph.height = static_cast<std::int32_t>(bitmap.rows);
        glyph.ink.resize(static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.height));
        for (std::int32_t y = 0; y < glyph.height; ++y) {
            const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
            for (std::int32_t x = 0; x < glyph.width; ++x) {
                glyph.ink[static_cast<std::size_t>(y * glyph.width + x)] = (row[x / 8] >> (7 - x % 8)) & 1;
            }
        }
        return glyph;
    }

private:
    FT_Face face_;
    std::int32_t cellHeight_;
    std::int32_t ascent_;
};

// Sizes the face: a positive height is the cell (ascent + descent), a negative one the em.
// Returns the cell height and ascent in pixels.
std::optional<std::pair<std::int32_t, std::int32_t>> sizeFace(FT_Face face, const SFontRequest& request)
{
    const SCellUnits units = cellUnits(face);
    const double unitsPerEm = face->units_per_EM > 0 ? face->units_per_EM : 2048;
    const double cellUnitsTotal = static_cast<double>(units.ascent + units.descent);
    const std::int32_t requested = request.height == 0 ? kDefaultCellHeight : request.height;
    const std::int32_t pixelsPerEm = requested > 0
                                         ? static_cast<std::int32_t>(std::lround(requested * unitsPerEm / cellUnitsTotal))
                                         : -requested;
    if (pixelsPerEm <= 0 || pixelsPerEm > 4096) {
        return std::nullopt;
    }
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    FT_UInt pixelWidth = 0;
    if (request.width > 0 && os2 && os2->xAvgCharWidth > 0) {
        pixelWidth = static_cast<FT_UInt>(std::lround(request.width * unitsPerEm / os2->xAvgCharWidth));
    }
    if (FT_Set_Pixel_Sizes(face, pixelWidth, static_cast<FT_UInt>(pixelsPerEm)) != 0) {
        return std::nullopt;
    }
    const auto ascent = static_cast<std::int32_t>(std::ceil(units.ascent * pixelsPerEm / unitsPerEm));
    if (requested > 0) {
        return std::make_pair(requested, std::min(ascent, requested));
    }
    const auto descent = static_cast<std::int32_t>(std::ceil(units.descent * pixelsPerEm / unitsPerEm));
    return std::make_pair(ascent + descent, ascent);
}

} // namespace

CFontRasterizer::CFontRasterizer() : library_(std::make_unique<SLibrary>())
{
    if (FT_Init_FreeType(&library_->freeType) != 0) {
        library_->freeType = nullptr;
    }
    library_->fontConfig = FcInitLoadConfigAndFonts();
}

CFontRasterizer::~CFontRasterizer() = default;

std::unique_ptr<IFontFace> CFontRasterizer::openFont(const SFontRequest& request)
{
    if (!library_->freeType || !library_->fontConfig) {
        return nullptr;
    }
    const std::optional<SFontFile> file = findFontFile(library_->fontConfig, request);
    FT_Face face = nullptr;
    if (!file || FT_New_Face(library_->freeType, file->path.c_str(), file->index, &face) != 0) {
        return nullptr;
    }
    const auto size = sizeFace(face, request);
    if (!size) {
        FT_Done_Face(face);
        return nullptr;
    }
    return std::make_unique<CFreeTypeFace>(face, size->first, size->second);
}
