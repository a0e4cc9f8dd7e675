#include "graphics/CScreen.h"
#include "graphics/CSurface.h"
#include "graphics/NullDisplay.h"
#include "platform/win32/GdiCanvas.h"
#include "platform/win32/GdiFontRasterizer.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The program's text font, made as the shell makes it.
constexpr std::int32_t kCellHeight = 20;

class GdiFontRasterizerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        screen_ = std::make_unique<CScreen>(std::make_unique<CNullDisplay>(), std::make_unique<CGdiFontRasterizer>());
        ASSERT_EQ(screen_->OpenFullScreen(800, 600, 32), 0);
        ASSERT_EQ(box_.Create(*screen_, 500, 100, 2), 0);
        ASSERT_EQ(box_.SetFont("Arial", 0, kCellHeight, 400), 0);
        ASSERT_NE(box_.GetDC(), nullptr);
        ASSERT_EQ(box_.SelectFont(), 0);
    }
    void TearDown() override { box_.ReleaseDC(); }

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
        box_.Lock();
        for (std::int32_t y = 0; y < box_.height(); ++y) {
            for (std::int32_t x = 0; x < box_.width(); ++x) {
                ink.push_back(box_.getPixel(x, y) != 0 ? 1 : 0);
            }
        }
        box_.Unlock();
        return ink;
    }

    // The columns and rows the ink covers; left >= right when there is none.
    SRect inkBox()
    {
        const std::vector<std::uint8_t> ink = boxInk();
        SRect box{box_.width(), box_.height(), 0, 0};
        for (std::int32_t y = 0; y < box_.height(); ++y) {
            for (std::int32_t x = 0; x < box_.width(); ++x) {
                if (ink[static_cast<std::size_t>(y * box_.width() + x)] != 0) {
                    box = SRect{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
                }
            }
        }
        return box;
    }

    std::unique_ptr<CScreen> screen_;
    CSurface box_;
};

TEST_F(GdiFontRasterizerTest, ArialIsTheMetricCompatibleFaceWithACellOfTwenty)
{
    EXPECT_EQ(box_.GetTextExtent("Hallo").height, kCellHeight);
    // Where "Arial" falls back to another face the program's name measures otherwise; with
    // Arial's widths it is 106 pixels, as on Linux.
    EXPECT_EQ(box_.GetTextExtent("Minnespiegel").width, 106);
    // GDI rounds the ascent of a 20-pixel cell to 16 (Linux rounds up to 17): "x" ends on it.
    box_.WriteText(10, 40, 0xFFFFFF, "x");
    EXPECT_EQ(inkBox().bottom, 40 + 16);
}

TEST_F(GdiFontRasterizerTest, EveryByteDrawsWithinTheWidthGdiMeasures)
{
    for (int c = 1; c < 256; ++c) {
        const std::string text(1, static_cast<char>(c));
        box_.Fill(0);
        box_.WriteText(30, 30, 0xFFFFFF, text);
        const SRect ink = inkBox();
        const std::int32_t width = box_.GetTextExtent(text).width;
        std::int32_t gdiWidth = 0;
        const std::vector<std::uint8_t> reference = gdiInk(30, 30, text, gdiWidth);
        EXPECT_GT(width, 0) << c;
        if (ink.left < ink.right) {
            EXPECT_GE(ink.left, 30) << c;
            EXPECT_LE(ink.right, 30 + width) << c;
        }
        // A glyph that stays inside its advance is drawn exactly where GDI draws it.
        if (width == gdiWidth) {
            EXPECT_EQ(boxInk(), reference) << c;
        }
    }
}

// Inside a string, GDI here places glyphs by their unrounded advances, so its pixels drift
// from a glyph-by-glyph layout; the widths agree, and both stay inside them.
TEST_F(GdiFontRasterizerTest, ALineMeasuresAsGdiMeasuresItAndStaysInside)
{
    const std::string line = "Wird er mich heute noch anrufen? \xC4rger, \xD6l, \xDC" "ber, Stra\xDF" "e.";
    box_.Fill(0);
    box_.WriteText(4, 30, 0xFFFFFF, line);
    std::int32_t gdiWidth = 0;
    gdiInk(4, 30, line, gdiWidth);
    const std::int32_t width = box_.GetTextExtent(line).width;
    EXPECT_EQ(width, gdiWidth);
    const SRect ink = inkBox();
    EXPECT_GE(ink.left, 4);
    EXPECT_LE(ink.right, 4 + width);
    EXPECT_GT(ink.right, 4 + width - 4);
    EXPECT_GE(ink.top, 30);
    EXPECT_LE(ink.bottom, 30 + kCellHeight);
}

TEST_F(GdiFontRasterizerTest, BoldIsWiderAndAnEmHeightGivesTheSameFont)
{
    const std::int32_t normal = box_.GetTextExtent("Minnespiegel").width;
    box_.ReleaseDC();
    ASSERT_EQ(box_.SetFont("Arial", 0, kCellHeight, 700), 0);
    ASSERT_NE(box_.GetDC(), nullptr);
    ASSERT_EQ(box_.SelectFont(), 0);
    EXPECT_GT(box_.GetTextExtent("Minnespiegel").width, normal);
    box_.ReleaseDC();
    ASSERT_EQ(box_.SetFont("Arial", 0, -18, 400), 0);
    ASSERT_NE(box_.GetDC(), nullptr);
    ASSERT_EQ(box_.SelectFont(), 0);
    EXPECT_EQ(box_.GetTextExtent("Minnespiegel").width, normal);
}

} // namespace
