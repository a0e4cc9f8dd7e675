#include "GraphicsTestSupport.h"

#include "common/Clock.h"
#include "platform/sdl/SdlDisplay.h"
#include "platform/sdl/SdlWindow.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

namespace {

struct SBox {
    SRect where;
    std::uint32_t color; // 0x00BBGGRR
};

// Saturated colours survive every depth unchanged.
const SBox kBoxes[] = {{SRect{0, 0, 800, 600}, 0x000000FF},
                      {SRect{100, 80, 300, 200}, 0x0000FF00},
                      {SRect{420, 300, 780, 590}, 0x00FF0000},
                      {SRect{0, 560, 60, 600}, 0x00FFFFFF},
                      {SRect{700, 0, 800, 40}, 0x00FFFF00}};

std::uint32_t asRgb(std::uint32_t colorRef)
{
    return ((colorRef & 0xFF) << 16) | (colorRef & 0xFF00) | ((colorRef >> 16) & 0xFF);
}

void drawBoxes(CScreen& screen)
{
    for (const SBox& box : kBoxes) {
        CSurface patch;
        ASSERT_EQ(patch.Create(screen, box.where.right - box.where.left, box.where.bottom - box.where.top, 2), 0);
        patch.Fill(screen.ColorToPixel(box.color, &patch));
        ASSERT_EQ(patch.Opaque(*screen.back(), box.where.left, box.where.top), 0);
    }
}

// The colour the frame should show at a point of the 800 x 600 picture.
std::uint32_t expectedAt(std::int32_t x, std::int32_t y)
{
    std::uint32_t color = 0;
    for (const SBox& box : kBoxes) {
        if (x >= box.where.left && x < box.where.right && y >= box.where.top && y < box.where.bottom) {
            color = asRgb(box.color);
        }
    }
    return color;
}

// The renderer widens 5- and 6-bit channels in its own way (full green may come out as 0xFE).
bool sameColour(std::uint32_t shown, std::uint32_t expected, std::uint32_t depth)
{
    const int tolerance = depth <= 16 ? 3 : 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int a = static_cast<int>((shown >> shift) & 0xFF);
        const int b = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - b) > tolerance) {
            return false;
        }
    }
    return true;
}

class SdlDisplayTest : public ::testing::TestWithParam<std::uint32_t> {
protected:
    void SetUp() override
    {
        // Without a named driver SDL picks an off-screen one that spins.
        setenv("SDL_VIDEODRIVER", "dummy", 1);
    }

    // Opens a screen on a window of this mode; the display stays reachable for reading back.
    void open(EWindowMode mode)
    {
        std::string error;
        window_ = CSdlWindow::create("Minnespiegel 2004", mode, &error);
        ASSERT_NE(window_, nullptr) << error;
        auto display = std::make_unique<CSdlDisplay>(*window_, clock_);
        display_ = display.get();
        screen_ = std::make_unique<CScreen>(std::move(display), nullptr);
        ASSERT_EQ(screen_->OpenFullScreen(800, 600, GetParam()), 0);
    }

    void TearDown() override
    {
        screen_.reset();
        window_.reset();
    }

    CSystemClock clock_;
    std::unique_ptr<CSdlWindow> window_;
    CSdlDisplay* display_ = nullptr;
    std::unique_ptr<CScreen> screen_;
};

TEST_P(SdlDisplayTest, WindowShowsTheFramePixelForPixel)
{
    open(EWindowMode::Windowed);
    EXPECT_FALSE(window_->isFullScreen());
    drawBoxes(*screen_);
    ASSERT_EQ(screen_->Present(), 0);
    const auto frame = display_->readBack();
    ASSERT_TRUE(frame);
    ASSERT_EQ(frame->width, 800);
    ASSERT_EQ(frame->height, 600);
    for (std::int32_t y = 0; y < 600; y += 3) {
        for (std::int32_t x = 0; x < 800; x += 3) {
            const std::uint32_t shown = frame->pixels[static_cast<std::size_t>(y * 800 + x)];
            ASSERT_TRUE(sameColour(shown, expectedAt(x, y), GetParam()))
                << GetParam() << " bits at (" << x << ", " << y << "): " << std::hex << shown;
        }
    }
}

TEST_P(SdlDisplayTest, FullScreenScalesTheFrameKeepingItsShape)
{
    open(EWindowMode::FullScreen);
    EXPECT_TRUE(window_->isFullScreen());
    drawBoxes(*screen_);
    ASSERT_EQ(screen_->Present(), 0);
    const auto frame = display_->readBack();
    ASSERT_TRUE(frame);
    ASSERT_GE(frame->width, 800);
    EXPECT_EQ(frame->width * 3, frame->height * 4);
    const double scale = frame->width / 800.0;
    for (const auto& [x, y] : {std::pair{200, 140}, std::pair{600, 450}, std::pair{30, 580}, std::pair{10, 10}}) {
        const auto fx = static_cast<std::size_t>(x * scale);
        const auto fy = static_cast<std::size_t>(y * scale);
        EXPECT_TRUE(sameColour(frame->pixels[fy * static_cast<std::size_t>(frame->width) + fx], expectedAt(x, y),
                               GetParam()));
    }
    EXPECT_TRUE(window_->toggleFullScreen());
    EXPECT_FALSE(window_->isFullScreen());
    EXPECT_TRUE(window_->toggleFullScreen());
    EXPECT_TRUE(window_->isFullScreen());
}

// Black and white columns one pixel wide over the left part of the picture.
void drawStripes(CScreen& screen)
{
    screen.back()->Fill(screen.ColorToPixel(0));
    CSurface column;
    ASSERT_EQ(column.Create(screen, 1, 600, 2), 0);
    column.Fill(screen.ColorToPixel(0x00FFFFFF, &column));
    for (std::int32_t x = 0; x < 200; x += 2) {
        ASSERT_EQ(column.Opaque(*screen.back(), x, 0), 0);
    }
}

// Pixels of the striped part that are neither black nor white: what filtering mixes.
int mixedPixels(const CSdlDisplay::SCapture& frame)
{
    int mixed = 0;
    for (std::int32_t y = 0; y < frame.height / 2; ++y) {
        for (std::int32_t x = 0; x < frame.width / 5; ++x) {
            const std::uint32_t green = (frame.pixels[static_cast<std::size_t>(y * frame.width + x)] >> 8) & 0xFF;
            mixed += green > 16 && green < 239 ? 1 : 0;
        }
    }
    return mixed;
}

TEST_P(SdlDisplayTest, AWindowScaledByAFractionIsSmoothAndByAWholeNumberSharp)
{
    open(EWindowMode::Windowed);
    drawStripes(*screen_);
    ASSERT_EQ(screen_->Present(), 0);
    for (const auto& [width, height, smooth] : {std::tuple{1000, 750, true}, std::tuple{1600, 1200, false},
                                                std::tuple{700, 525, true}, std::tuple{800, 600, false}}) {
        SDL_SetWindowSize(window_->sdlWindow(), width, height);
        ASSERT_EQ(screen_->PresentAgain(), 0);
        const auto frame = display_->readBack();
        ASSERT_TRUE(frame);
        ASSERT_EQ(frame->width, width);
        if (smooth) {
            EXPECT_GT(mixedPixels(*frame), frame->width * frame->height / 40) << width << " x " << height;
        } else {
            EXPECT_EQ(mixedPixels(*frame), 0) << width << " x " << height;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, SdlDisplayTest, ::testing::Values(15u, 16u, 24u, 32u),
                         [](const auto& depth) { return std::to_string(depth.param) + "bits"; });

} // namespace
