#pragma once
// The checks every system's text rasteriser passes, drawn and measured through the program's
// surfaces with the font selected as the shell selects it: SetFont, GetDC, SelectFont.
#include "GraphicsTestSupport.h"

#include "graphics/CSurface.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

class CFontChecks : public ::testing::Test {
protected:
    static constexpr std::int32_t kCellHeight = 20;

    void open(std::unique_ptr<IFontRasterizer> rasterizer, std::uint32_t depth)
    {
        screen_ = std::make_unique<CScreen>(std::make_unique<CNullDisplay>(), std::move(rasterizer));
        ASSERT_EQ(screen_->OpenFullScreen(800, 600, depth), 0);
        ASSERT_EQ(box_.Create(*screen_, 500, 100, 2), 0);
        selectFont(kCellHeight, 400);
    }
    void TearDown() override { box_.ReleaseDC(); }

    void selectFont(std::int32_t height, std::int32_t weight)
    {
        box_.ReleaseDC();
        ASSERT_EQ(box_.SetFont("Arial", 0, height, weight), 0);
        ASSERT_NE(box_.GetDC(), nullptr);
        ASSERT_EQ(box_.SelectFont(), 0);
    }
    std::int32_t width(const std::string& text) { return box_.GetTextExtent(text).width; }
    // The ink of `text` drawn at (x, y) on the cleared box.
    SRect drawn(std::int32_t x, std::int32_t y, const std::string& text)
    {
        box_.Fill(0);
        box_.WriteText(x, y, 0xFFFFFF, text);
        return inkBox(box_);
    }

    // The cell is 20 pixels high, and "x" ends on the baseline `ascent` pixels below its top. Bold
    // is wider, and an em height gives the same font; the regular font is selected again.
    void expectCellBaselineAndWeights(std::int32_t ascent)
    {
        EXPECT_EQ(box_.GetTextExtent("Hallo").height, kCellHeight);
        EXPECT_EQ(drawn(10, 40, "x").bottom, 40 + ascent);
        const std::int32_t normal = width("Minnespiegel");
        selectFont(kCellHeight, 700);
        EXPECT_GT(width("Minnespiegel"), normal);
        selectFont(-18, 400);
        EXPECT_EQ(width("Minnespiegel"), normal);
        selectFont(kCellHeight, 400);
    }

    // Every byte draws within the width measured for it, letters with ink and blanks without;
    // `also` is called for each with the byte and its width, the byte still drawn.
    void expectEveryByteWithinItsWidth(const std::function<void(int, std::int32_t)>& also = {})
    {
        for (int c = 1; c < 256; ++c) {
            const std::string text(1, static_cast<char>(c));
            const SRect ink = drawn(30, 30, text);
            const std::int32_t measured = width(text);
            EXPECT_GT(measured, 0) << c;
            if (ink.left < ink.right) {
                EXPECT_GE(ink.left, 30) << c;
                EXPECT_LE(ink.right, 30 + measured) << c;
            }
            if (c == ' ' || c == 0xC4) {
                EXPECT_EQ(ink.left < ink.right, c == 0xC4) << c;
            }
            if (also) {
                also(c, measured);
            }
        }
    }

    // A line stays inside its measured width and reaches near its end; its ink.
    SRect expectLineInside(const std::string& line)
    {
        const SRect ink = drawn(4, 30, line);
        const std::int32_t measured = width(line);
        EXPECT_GE(ink.left, 4);
        EXPECT_LE(ink.right, 4 + measured);
        EXPECT_GT(ink.right, 4 + measured - 4);
        return ink;
    }

    std::unique_ptr<CScreen> screen_;
    CSurface box_;
};
