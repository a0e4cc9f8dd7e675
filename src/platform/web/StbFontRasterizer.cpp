#include "platform/web/StbFontRasterizer.h"

#include "common/Cp1252.h"
#include "platform/web/TrueTypeTables.h"

#include <stb_truetype.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

namespace {

constexpr std::int32_t kDefaultCellHeight = 16;
// stb_truetype's coverage is 0..255; a pixel at least half covered is ink.
constexpr unsigned char kInkThreshold = 128;

} // namespace

struct CStbFontRasterizer::SFontFile {
    std::vector<std::uint8_t> bytes;
    stbtt_fontinfo info{};
    STrueTypeMetrics metrics;
};

namespace {

class CStbFace final : public IFontFace {
public:
    CStbFace(std::shared_ptr<const void> owner, const stbtt_fontinfo& info,
             std::shared_ptr<const CHintedWidths> widths, std::int32_t pixelsPerEm, float scaleX,
             std::int32_t cellHeight, std::int32_t ascent)
        : owner_(std::move(owner)), info_(info), widths_(std::move(widths)), pixelsPerEm_(pixelsPerEm), scaleX_(scaleX),
          scaleY_(stbtt_ScaleForMappingEmToPixels(&info_, static_cast<float>(pixelsPerEm))),
          cellHeight_(cellHeight), ascent_(ascent)
    {
    }

    std::int32_t cellHeight() const override { return cellHeight_; }
    std::int32_t ascent() const override { return ascent_; }

    SGlyphImage renderGlyph(unsigned char character) override
    {
        SGlyphImage glyph;
        const int index = stbtt_FindGlyphIndex(&info_, static_cast<int>(cp1252ToUnicode(character)));
        glyph.advance = advance(character, index);
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        stbtt_GetGlyphBitmapBox(&info_, index, scaleX_, scaleY_, &x0, &y0, &x1, &y1);
        if (x1 <= x0 || y1 <= y0) {
            return glyph;
        }
        const int width = x1 - x0;
        const int height = y1 - y0;
        std::vector<unsigned char> coverage(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        stbtt_MakeGlyphBitmap(&info_, coverage.data(), width, height, width, scaleX_, scaleY_, index);
        glyph.left = x0;
        glyph.top = ascent_ + y0;
        glyph.width = width;
        glyph.height = height;
        glyph.ink.resize(coverage.size());
        std::transform(coverage.begin(), coverage.end(), glyph.ink.begin(),
                       [](unsigned char value) { return static_cast<std::uint8_t>(value >= kInkThreshold); });
        return glyph;
    }

private:
    std::int32_t advance(unsigned char character, int index) const
    {
        if (widths_ && scaleX_ == scaleY_) {
            if (const auto hinted = widths_->advance(pixelsPerEm_, character)) {
                return *hinted;
            }
        }
        int advanceUnits = 0;
        int bearing = 0;
        stbtt_GetGlyphHMetrics(&info_, index, &advanceUnits, &bearing);
        return static_cast<std::int32_t>(std::lround(static_cast<float>(advanceUnits) * scaleX_));
    }

    std::shared_ptr<const void> owner_; // keeps the file's bytes alive
    stbtt_fontinfo info_;
    std::shared_ptr<const CHintedWidths> widths_; // may be null
    std::int32_t pixelsPerEm_;
    float scaleX_;
    float scaleY_;
    std::int32_t cellHeight_;
    std::int32_t ascent_;
};

} // namespace

CStbFontRasterizer::CStbFontRasterizer(std::filesystem::path fontFolder, const std::filesystem::path& hintedWidths)
    : folder_(std::move(fontFolder))
{
    regular_ = load("LiberationSans-Regular.ttf");
    bold_ = load("LiberationSans-Bold.ttf");
    std::ifstream in(hintedWidths, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (std::optional<CHintedWidths> widths = in ? CHintedWidths::parse(text) : std::nullopt) {
        regularWidths_ = std::make_shared<const CHintedWidths>(std::move(*widths));
    }
}

CStbFontRasterizer::~CStbFontRasterizer() = default;

std::shared_ptr<const CStbFontRasterizer::SFontFile> CStbFontRasterizer::load(const char* fileName)
{
    std::ifstream in(folder_ / fileName, std::ios::binary);
    if (!in) {
        return nullptr;
    }
    auto file = std::make_shared<SFontFile>();
    file->bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    const auto metrics = readTrueTypeMetrics(file->bytes);
    if (!metrics || stbtt_InitFont(&file->info, file->bytes.data(), 0) == 0) {
        return nullptr;
    }
    file->metrics = *metrics;
    return file;
}

// Sized as the system's rasteriser sizes it: a positive height is the cell (Windows ascent
// plus descent), a negative one the em.
std::unique_ptr<IFontFace> CStbFontRasterizer::openFont(const SFontRequest& request)
{
    const std::shared_ptr<const SFontFile> file = request.weight >= 600 && bold_ ? bold_ : regular_;
    if (!file) {
        return nullptr;
    }
    const STrueTypeMetrics& units = file->metrics;
    const double unitsPerEm = units.unitsPerEm;
    const double cellUnits = units.winAscent + units.winDescent;
    const std::int32_t requested = request.height == 0 ? kDefaultCellHeight : request.height;
    const std::int32_t pixelsPerEm =
        requested > 0 ? static_cast<std::int32_t>(std::lround(requested * unitsPerEm / cellUnits)) : -requested;
    if (pixelsPerEm <= 0 || pixelsPerEm > 4096) {
        return nullptr;
    }
    float scaleX = stbtt_ScaleForMappingEmToPixels(&file->info, static_cast<float>(pixelsPerEm));
    if (request.width > 0 && units.averageWidth > 0) {
        scaleX = static_cast<float>(request.width) / static_cast<float>(units.averageWidth);
    }
    const auto ascent = static_cast<std::int32_t>(std::ceil(units.winAscent * pixelsPerEm / unitsPerEm));
    std::int32_t cellHeight = requested;
    std::int32_t cellAscent = std::min(ascent, requested);
    if (requested < 0) {
        cellAscent = ascent;
        cellHeight = ascent + static_cast<std::int32_t>(std::ceil(units.winDescent * pixelsPerEm / unitsPerEm));
    }
    return std::make_unique<CStbFace>(file, file->info, file == regular_ ? regularWidths_ : nullptr, pixelsPerEm,
                                      scaleX, cellHeight, cellAscent);
}
