#include "GraphicsTestSupport.h"

#include "common/Clock.h"
#include "platform/sdl/SdlDisplay.h"
#include "platform/sdl/SdlWindow.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

namespace {

// Boxes of saturated colours (0x00BBGGRR), which survive every depth unchanged.
const std::pair<SRect, std::uint32_t> kBoxes[] = {
    {{0, 0, 800, 600}, 0x000000FF}, {{100, 80, 300, 200}, 0x0000FF00}, {{420, 300, 780, 590}, 0x00FF0000},
    {{0, 560, 60, 600}, 0x00FFFFFF}, {{700, 0, 800, 40}, 0x00FFFF00}};

// The colour (0x00RRGGBB) the frame should show at a point of the 800 x 600 picture.
std::uint32_t expectedAt(std::int32_t x, std::int32_t y)
{
    std::uint32_t color = 0;
    for (const auto& [where, bgr] : kBoxes) {
        if (x >= where.left && x < where.right && y >= where.top && y < where.bottom) {
            color = ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
        }
    }
    return color;
}

class SdlDisplayTest : public ::testing::TestWithParam<std::uint32_t> {
protected:
    // Opens a screen in a window; the display stays reachable for reading back.
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1); // without a named driver SDL picks one that spins
        std::string error;
        window_ = CSdlWindow::create("Minnespiegel 2004", EWindowMode::Windowed, &error);
        ASSERT_NE(window_, nullptr) << error;
        auto display = std::make_unique<CSdlDisplay>(*window_, clock_);
        display_ = display.get();
        screen_ = std::make_unique<CScreen>(std::move(display), nullptr);
        ASSERT_EQ(screen_->OpenFullScreen(800, 600, GetParam()), 0);
    }

    void fill(const SRect& where, std::uint32_t bgr)
    {
        CSurface patch;
        ASSERT_EQ(patch.Create(*screen_, where.right - where.left, where.bottom - where.top, 2), 0);
        patch.Fill(screen_->ColorToPixel(bgr, &patch));
        ASSERT_EQ(patch.Opaque(*screen_->back(), where.left, where.top), 0);
    }
    // The renderer widens 5- and 6-bit channels in its own way (full green may come out as 0xFE).
    bool sameColour(std::uint32_t shown, std::uint32_t expected) const
    {
        const int tolerance = GetParam() <= 16 ? 3 : 0;
        for (int shift = 0; shift < 24; shift += 8) {
            if (std::abs(int((shown >> shift) & 0xFF) - int((expected >> shift) & 0xFF)) > tolerance) {
                return false;
            }
        }
        return true;
    }

    CSystemClock clock_;
    std::unique_ptr<CSdlWindow> window_;
    CSdlDisplay* display_ = nullptr;
    std::unique_ptr<CScreen> screen_;
};

// The boxes come out pixel for pixel. Then black and white columns one pixel wide over the left
// part of the picture: scaled by a fraction the window mixes them (smooth), by a whole number it
// does not (sharp).
TEST_P(SdlDisplayTest, AWindowShowsTheFramePixelForPixelAndScaledByAFractionSmooth)
{
    EXPECT_FALSE(window_->isFullScreen());
    for (const auto& [where, bgr] : kBoxes) {
        fill(where, bgr);
    }
    ASSERT_EQ(screen_->Present(), 0);
    const auto boxes = display_->readBack();
    ASSERT_TRUE(boxes);
    ASSERT_EQ(boxes->width, 800);
    ASSERT_EQ(boxes->height, 600);
    for (std::int32_t y = 0; y < 600; y += 3) {
        for (std::int32_t x = 0; x < 800; x += 3) {
            const std::uint32_t shown = boxes->pixels[static_cast<std::size_t>(y * 800 + x)];
            ASSERT_TRUE(sameColour(shown, expectedAt(x, y))) << "at (" << x << ", " << y << "): " << std::hex << shown;
        }
    }

    fill({0, 0, 800, 600}, 0);
    for (std::int32_t x = 0; x < 200; x += 2) {
        fill({x, 0, x + 1, 600}, 0x00FFFFFF);
    }
    ASSERT_EQ(screen_->Present(), 0);
    for (const auto& [width, height, smooth] : {std::tuple{1000, 750, true}, std::tuple{1600, 1200, false},
                                                std::tuple{700, 525, true}, std::tuple{800, 600, false}}) {
        SDL_SetWindowSize(window_->sdlWindow(), width, height);
        ASSERT_EQ(screen_->PresentAgain(), 0);
        const auto frame = display_->readBack();
        ASSERT_TRUE(frame);
        ASSERT_EQ(frame->width, width);
        int mixed = 0; // neither black nor white
        for (std::int32_t y = 0; y < frame->height / 2; ++y) {
            for (std::int32_t x = 0; x < frame->width / 5; ++x) {
                const std::uint32_t green = (frame->pixels[static_cast<std::size_t>(y * frame->width + x)] >> 8) & 0xFF;
                mixed += green > 16 && green < 239 ? 1 : 0;
            }
        }
        EXPECT_EQ(mixed > frame->width * frame->height / 40, smooth) << width << " x " << height << ": " << mixed;
        if (!smooth) {
            EXPECT_EQ(mixed, 0) << width << " x " << height;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, SdlDisplayTest, ::testing::Values(15u, 16u, 24u, 32u),
                         [](const auto& depth) { return std::to_string(depth.param) + "bits"; });

} // namespace
