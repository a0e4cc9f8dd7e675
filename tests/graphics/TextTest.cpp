#include "GraphicsTestSupport.h"

#include <gtest/gtest.h>

namespace {

class TextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto fonts = std::make_unique<CNullFontRasterizer>(std::set<std::string>{"Missing"});
        fonts_ = fonts.get();
        screen_ = std::make_unique<CScreen>(std::make_unique<CNullDisplay>(), std::move(fonts));
        ASSERT_EQ(screen_->OpenFullScreen(800, 600, 32), 0);
        ASSERT_EQ(box_.Create(*screen_, 500, 100, 2), 0);
        box_.SetFont("Arial", 0, 20, 400);
    }

    CNullFontRasterizer* fonts_ = nullptr;
    std::unique_ptr<CScreen> screen_;
    CSurface box_;
};

// The selected font lasts until the caller gives the context back; without a held context it is
// selected and dropped again at once, and the context's default font measures instead.
TEST_F(TextTest, FontsAreMadeOnceAndLastWhileTheContextIsHeld)
{
    CSurface box;
    ASSERT_EQ(box.Create(*screen_, 500, 100, 2), 0);
    EXPECT_EQ(box.SelectFont(), -1);
    EXPECT_EQ(box.SetFont("Missing", 0, 20, 400), -2);
    EXPECT_EQ(box.SelectFont(), -1);
    CSurface unmade;
    EXPECT_EQ(unmade.SetFont("Arial", 0, 20, 400), -2);
    EXPECT_EQ(unmade.SelectFont(), 0); // no context to select into
    EXPECT_EQ(unmade.WriteText(0, 0, 0xFFFFFF, "Hallo"), 0);

    box_.SetFont("Arial", 0, 30, 400);
    ASSERT_NE(box_.GetDC(), nullptr);
    EXPECT_EQ(box_.SelectFont(), 0);
    EXPECT_EQ(box_.GetTextExtent("Hallo").height, 30);
    box_.ReleaseDC();
    box_.SelectFont();
    EXPECT_EQ(box_.GetTextExtent("Hallo").height, 16);
    EXPECT_EQ(box_.dcCount(), 0u);
    for (int frame = 0; frame < 50; ++frame)
        box_.SetFont("Arial", 0, 20, 400);
    EXPECT_EQ(fonts_->openCount(), 3u);
}

TEST_F(TextTest, TextIsDrawnOnATransparentGround)
{
    box_.Fill(0x00123456);
    box_.GetDC();
    box_.SelectFont();
    EXPECT_EQ(box_.WriteText(10, 30, 0x007D1964, "Wenn ich"), 0);
    const std::int32_t blankFrom = 10 + box_.GetTextExtent("Wenn").width;
    const std::int32_t blankTo = blankFrom + box_.GetTextExtent(" ").width;
    EXPECT_EQ(box_.WriteText(0, 0, 0xFFFFFF, ""), 0);
    EXPECT_EQ(box_.GetTextExtent("").width, 0);
    box_.ReleaseDC();
    const std::uint32_t ink = screen_->ColorToPixel(0x007D1964, &box_);
    // The blank between the words has no ink: its cell keeps the ground.
    ASSERT_LT(blankFrom, blankTo);
    const std::vector<std::uint32_t> pixels = readPixels(box_);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const auto x = std::int32_t(i % 500);
        ASSERT_TRUE(pixels[i] == 0x00123456u || (pixels[i] == ink && (x < blankFrom || x >= blankTo))) << x;
    }
    EXPECT_EQ(inkBox(box_, 0x00123456).left, 10);
}

TEST_F(TextTest, MeasuredWidthIsTheWidthTheTextCoversAndTextPastTheEdgesIsClipped)
{
    box_.GetDC();
    box_.SelectFont();
    for (int c = 1; c < 256; ++c) {
        const std::string text(1, static_cast<char>(c));
        box_.Fill(0);
        box_.WriteText(20, 10, 0xFFFFFF, text);
        const SRect ink = inkBox(box_);
        if (ink.left < ink.right) {
            EXPECT_GE(ink.left, 20) << c;
            EXPECT_LE(ink.right, 20 + box_.GetTextExtent(text).width) << c;
        }
    }
    const std::string line = "Hmmmm. Wenn ich das w\xFC\xDF" "te ... jj\xCE";
    box_.Fill(0);
    box_.WriteText(3, 10, 0xFFFFFF, line);
    EXPECT_EQ(inkBox(box_).left, 3);
    EXPECT_EQ(inkBox(box_).right, 3 + box_.GetTextExtent(line).width);
    box_.ReleaseDC();
    // Text past the edges is clipped.
    box_.Fill(0);
    EXPECT_EQ(box_.WriteText(-3, -9, 0xFFFFFF, "abc"), 0);
    EXPECT_EQ(box_.WriteText(490, 95, 0xFFFFFF, "abcdef"), 0);
    EXPECT_EQ(box_.WriteText(-2000000000, 2000000000, 0xFFFFFF, "abcdef"), 0);
    EXPECT_EQ(inkBox(box_).left, 0);
    EXPECT_EQ(inkBox(box_).right, 500);
}

} // namespace
