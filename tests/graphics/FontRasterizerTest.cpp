#include "GraphicsTestSupport.h"

#include "platform/FontRasterizer.h"

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

    std::pair<std::int32_t, std::int32_t> inkColumns()
    {
        std::int32_t first = box_.width();
        std::int32_t last = 0;
        box_.Lock();
        for (std::int32_t y = 0; y < box_.height(); ++y) {
            for (std::int32_t x = 0; x < box_.width(); ++x) {
                if (box_.getPixel(x, y) != 0) {
                    first = std::min(first, x);
                    last = std::max(last, x + 1);
                }
            }
        }
        box_.Unlock();
        return {first, last};
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
    box_.Lock();
    std::int32_t lowest = 0;
    for (std::int32_t y = 0; y < box_.height(); ++y) {
        for (std::int32_t x = 0; x < 40; ++x) {
            lowest = box_.getPixel(x, y) != 0 ? y : lowest;
        }
    }
    box_.Unlock();
    EXPECT_EQ(lowest, 40 + 17 - 1);
}

TEST_F(FontRasterizerTest, EveryCharacterLiesWithinItsMeasuredWidth)
{
    selectFont(20, 400);
    for (int c = 1; c < 256; ++c) {
        const std::string text(1, static_cast<char>(c));
        box_.Fill(0);
        box_.WriteText(30, 30, 0xFFFFFF, text);
        const auto [first, last] = inkColumns();
        const std::int32_t width = box_.GetTextExtent(text).width;
        EXPECT_GT(width, 0) << c;
        if (first < last) {
            EXPECT_GE(first, 30) << c;
            EXPECT_LE(last, 30 + width) << c;
        }
    }
    const std::string line = "Ja, j\xEEngst \xCE\xCF\xCD f\xFCr j\xE9" "den Tag.";
    box_.Fill(0);
    box_.WriteText(4, 30, 0xFFFFFF, line);
    const auto [first, last] = inkColumns();
    EXPECT_GE(first, 4);
    EXPECT_LE(last, 4 + box_.GetTextExtent(line).width);
    EXPECT_GT(last, 4 + box_.GetTextExtent(line).width - 4);
}

TEST_F(FontRasterizerTest, LettersHaveInkAndBlanksNone)
{
    selectFont(20, 400);
    box_.WriteText(0, 0, 0xFFFFFF, " ");
    EXPECT_EQ(inkColumns().first, box_.width());
    box_.WriteText(0, 0, 0xFFFFFF, "\xC4");
    EXPECT_LT(inkColumns().first, box_.width());
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
