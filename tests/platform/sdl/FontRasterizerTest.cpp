#include "GraphicsTestSupport.h"

#include "platform/sdl/FontRasterizer.h"

#include <gtest/gtest.h>

namespace {

class FontRasterizerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        screen_ = std::make_unique<CScreen>(std::make_unique<CNullDisplay>(), std::make_unique<CFontRasterizer>());
        ASSERT_EQ(screen_->OpenFullScreen(800, 600, 16), 0);
        ASSERT_EQ(box_.Create(*screen_, 500, 100, 2), 0);
    }
    void TearDown() override { box_.ReleaseDC(); }

    // Selects the font as the shell does: SetFont, GetDC, SelectFont.
    void selectFont(std::int32_t height, std::int32_t weight)
    {
        ASSERT_EQ(box_.SetFont("Arial", 0, height, weight), 0);
        ASSERT_NE(box_.GetDC(), nullptr);
        ASSERT_EQ(box_.SelectFont(), 0);
    }

    std::unique_ptr<CScreen> screen_;
    CSurface box_;
};

TEST_F(FontRasterizerTest, ArialTwentyHasACellOfTwentyPixels)
{
    selectFont(20, 400);
    EXPECT_EQ(box_.GetTextExtent("Hallo").height, 20);
    const std::int32_t width = box_.GetTextExtent("Hmmmm. Wenn ich das w\xFC\xDF" "te ...").width;
    EXPECT_GT(width, 200);
    EXPECT_LT(width, 300);
    // Glyphs sit on the baseline 17 pixels below the cell's top: "x" ends on it.
    box_.WriteText(10, 40, 0xFFFFFF, "x");
    EXPECT_EQ(inkBox(box_).bottom, 40 + 17);
}

TEST_F(FontRasterizerTest, EveryCharacterLiesWithinItsMeasuredWidth)
{
    selectFont(20, 400);
    for (int c = 1; c < 256; ++c) {
        const std::string text(1, static_cast<char>(c));
        box_.Fill(0);
        box_.WriteText(30, 30, 0xFFFFFF, text);
        const SRect ink = inkBox(box_);
        const std::int32_t width = box_.GetTextExtent(text).width;
        EXPECT_GT(width, 0) << c;
        if (ink.left < ink.right) {
            EXPECT_GE(ink.left, 30) << c;
            EXPECT_LE(ink.right, 30 + width) << c;
        }
    }
    const std::string line = "Ja, j\xEEngst \xCE\xCF\xCD f\xFCr j\xE9" "den Tag.";
    box_.Fill(0);
    box_.WriteText(4, 30, 0xFFFFFF, line);
    const SRect ink = inkBox(box_);
    EXPECT_GE(ink.left, 4);
    EXPECT_LE(ink.right, 4 + box_.GetTextExtent(line).width);
    EXPECT_GT(ink.right, 4 + box_.GetTextExtent(line).width - 4);
}

TEST_F(FontRasterizerTest, LettersHaveInkAndBlanksNone)
{
    selectFont(20, 400);
    box_.WriteText(0, 0, 0xFFFFFF, " ");
    EXPECT_EQ(inkBox(box_).left, box_.width());
    box_.WriteText(0, 0, 0xFFFFFF, "\xC4");
    EXPECT_LT(inkBox(box_).left, box_.width());
}

TEST_F(FontRasterizerTest, BoldIsWiderThanNormal)
{
    selectFont(20, 400);
    const std::int32_t normal = box_.GetTextExtent("Minnespiegel").width;
    box_.ReleaseDC();
    selectFont(20, 700);
    EXPECT_GT(box_.GetTextExtent("Minnespiegel").width, normal);
    box_.ReleaseDC();
    selectFont(-18, 400);
    EXPECT_EQ(box_.GetTextExtent("Minnespiegel").width, normal);
}

} // namespace
