#include "platform/win32/GdiCanvas.h"
#include "platform/win32/GdiFontRasterizer.h"

#include "../FontChecks.h"

namespace {

class GdiFontRasterizerTest : public CFontChecks {
protected:
    void SetUp() override { open(std::make_unique<CGdiFontRasterizer>(), 32); }

    // GDI's own drawing of the text at (x, y) on a canvas the size of the box, as ink.
    static std::vector<std::uint8_t> gdiInk(std::int32_t x, std::int32_t y, std::string_view text, std::int32_t& width)
    {
        HFONT font = CreateFontA(kCellHeight, 0, 0, 0, 400, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, VARIABLE_PITCH, "Arial");
        std::optional<CGdiCanvas> canvas = CGdiCanvas::create(font, 500, 100);
        if (!canvas) {
            ADD_FAILURE() << "no GDI canvas";
            return {};
        }
        canvas->clear();
        canvas->draw(x, y, text);
        width = canvas->measure(text);
        return canvas->ink({0, 0, 500, 100});
    }

    std::vector<std::uint8_t> boxInk()
    {
        std::vector<std::uint8_t> ink;
        for (const std::uint32_t pixel : readPixels(box_)) {
            ink.push_back(pixel != 0 ? 1 : 0);
        }
        return ink;
    }
};

// Where "Arial" falls back to another face the program's name measures otherwise; with Arial's
// widths it is 106 pixels, as on Linux. GDI rounds the ascent of a 20-pixel cell to 16 (Linux
// rounds up to 17). Inside a string, GDI here places glyphs by their unrounded advances, so its
// pixels drift from a glyph-by-glyph layout; the widths agree, and both stay inside them. Bold is
// wider, and an em height gives the same font.
TEST_F(GdiFontRasterizerTest, ArialIsTheMetricCompatibleFaceAndALineMeasuresAsGdiMeasuresIt)
{
    expectCellBaselineAndWeights(16);
    EXPECT_EQ(width("Minnespiegel"), 106);
    const std::string line = "Wird er mich heute noch anrufen? \xC4rger, \xD6l, \xDC" "ber, Stra\xDF" "e.";
    std::int32_t gdiWidth = 0;
    gdiInk(4, 30, line, gdiWidth);
    const SRect ink = expectLineInside(line);
    EXPECT_EQ(width(line), gdiWidth);
    EXPECT_GE(ink.top, 30);
    EXPECT_LE(ink.bottom, 30 + kCellHeight);
}

// A glyph that stays inside its advance is drawn exactly where GDI draws it.
TEST_F(GdiFontRasterizerTest, EveryByteDrawsWithinTheWidthGdiMeasuresWhereGdiDrawsIt)
{
    expectEveryByteWithinItsWidth([this](int c, std::int32_t measured) {
        std::int32_t gdiWidth = 0;
        const std::vector<std::uint8_t> reference = gdiInk(30, 30, std::string(1, static_cast<char>(c)), gdiWidth);
        if (measured == gdiWidth) {
            EXPECT_EQ(boxInk(), reference) << c;
        }
    });
}

} // namespace
