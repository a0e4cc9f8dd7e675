#include "GraphicsTestSupport.h"

#include "graphics/GraphicsResult.h"

#include <gtest/gtest.h>

namespace {

TEST(Screen, EachRefusalGivesItsCodeAndLeavesNoSurfaces)
{
    const std::pair<CNullDisplay::SRefusals, std::int32_t> cases[] = {
        {{.noDevice = true}, -1}, {{.fullScreen = true}, -2}, {{.modes = {ESurfaceFormat::Bgrx32}}, -4},
        {{.videoPrimary = true, .systemPrimary = true}, -8}, {{.backBuffer = true}, -32}};
    for (const auto& [refusals, expected] : cases) {
        auto display = std::make_unique<CNullDisplay>(refusals);
        CNullDisplay& seen = *display;
        CScreen screen(std::move(display), nullptr);
        EXPECT_EQ(screen.OpenFullScreen(800, 600, 32), expected);
        EXPECT_EQ(screen.back(), nullptr);
        EXPECT_FALSE(seen.hasPrimary() || seen.hasBackBuffer() || screen.front()) << expected;
        // Another attempt after any failure is allowed once the platform agrees.
        seen.refusals() = CNullDisplay::SRefusals{};
        if (expected != -1) {
            EXPECT_EQ(screen.OpenFullScreen(800, 600, 16), 0);
            ASSERT_NE(screen.back(), nullptr);
            EXPECT_EQ(screen.back()->format().depth, 16u);
        }
    }
}

// Video memory refused, the primary surface is made in system memory.
TEST(Screen, OpensOnce)
{
    auto test = openTestScreen(24, 800, 600, {.videoPrimary = true});
    EXPECT_TRUE(test.display->fullScreen());
    EXPECT_EQ(test.display->modeFormat(), ESurfaceFormat::Bgr24);
    CSurface* back = test.screen->back();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->clipRect(), (SRect{0, 0, 800, 600}));
    EXPECT_EQ(test.screen->OpenFullScreen(800, 600, 16), -1);
    EXPECT_EQ(test.screen->back(), back);
    EXPECT_EQ(test.screen->bitsPerPixel(), 24u);
}

TEST(Screen, DepthsWithoutAFormatAreRefusedAndColoursFollowTheFormat)
{
    CScreen screen(std::make_unique<CNullDisplay>(), nullptr);
    EXPECT_EQ(screen.OpenFullScreen(800, 600, 8), -4);
    EXPECT_EQ(screen.OpenFullScreen(800, 600, 0), -4);
    EXPECT_EQ(screen.OpenFullScreen(0, 600, 32), -4);
    CScreen none(nullptr, nullptr);
    EXPECT_EQ(none.OpenFullScreen(800, 600, 32), -1);
    EXPECT_EQ(none.Present(), GraphicsResult::kNotInitialized);
    EXPECT_EQ(none.RestoreLostSurfaces(), 0);
    EXPECT_EQ(screen.ColorToPixel(0x123456), 0x123456u); // closed: the colour as it is
    // Open, the given surface's format decides, else the back buffer's.
    auto sixteen = openTestScreen(16, 8, 8);
    EXPECT_EQ(sixteen.screen->ColorToPixel(0x0000FF), 0xF800u);
    auto fifteen = openTestScreen(15, 8, 8);
    EXPECT_EQ(sixteen.screen->ColorToPixel(0x0000FF, fifteen.screen->back()), 0x7C00u);
}

TEST(Screen, PresentShowsTheBackBufferAndFlips)
{
    auto test = openTestScreen(16, 4, 2);
    CSurface& back = *test.screen->back();
    back.Fill(0xABCD);
    ASSERT_EQ(test.screen->Present(), 0);
    EXPECT_EQ(test.display->presentCount(), 1u);
    EXPECT_EQ(test.display->lastFrame(), (std::vector<std::uint8_t>{0xCD, 0xAB, 0xCD, 0xAB, 0xCD, 0xAB, 0xCD, 0xAB,
                                                                    0xCD, 0xAB, 0xCD, 0xAB, 0xCD, 0xAB, 0xCD, 0xAB}));
    // After the flip the front holds the frame shown and the back the one before.
    EXPECT_EQ(readPixel(*test.screen->front(), 0, 0), 0xABCDu);
    EXPECT_EQ(readPixel(back, 0, 0), 0u);
    back.Lock();
    EXPECT_EQ(test.screen->Present(), GraphicsResult::kSurfaceBusy);
    back.Unlock();
    EXPECT_EQ(test.display->presentCount(), 1u);
}

TEST(Screen, PresentRestoresALostPrimary)
{
    auto test = openTestScreen(32, 8, 8);
    test.display->loseSurfaces();
    // Nothing to reload into a buffer, but the flip chain is back.
    EXPECT_EQ(test.screen->back()->Restore(), -2);
    EXPECT_FALSE(test.screen->front()->isLost());
    test.display->loseSurfaces();
    EXPECT_EQ(test.screen->Present(), 0);
    EXPECT_EQ(test.display->restoreCount(), 2u);
    EXPECT_FALSE(test.screen->back()->isLost());
    EXPECT_EQ(test.display->presentCount(), 0u);
    EXPECT_EQ(test.screen->Present(), 0);
    EXPECT_EQ(test.display->presentCount(), 1u);

    test.display->setPresentResult(GraphicsResult::kSurfaceLost);
    EXPECT_EQ(test.screen->Present(), 0);
    test.display->setPresentResult(GraphicsResult::kGeneric);
    EXPECT_EQ(test.screen->Present(), GraphicsResult::kGeneric);

    test.display->loseSurfaces();
    test.display->refusals().restore = true;
    EXPECT_EQ(test.screen->Present(), GraphicsResult::kGeneric);
    EXPECT_EQ(test.screen->RestoreLostSurfaces(), GraphicsResult::kGeneric);
}

// Notes what the screen asks of its display, also after the screen is gone; video memory is refused.
class CRecordingDisplay final : public IDisplay {
public:
    explicit CRecordingDisplay(std::string& log) : log_(log) {}
    bool hasDevice() const override { return true; }
    std::int32_t enterFullScreen() override { return note("enter "); }
    void leaveFullScreen() override { note("leave "); }
    std::int32_t setMode(std::int32_t, std::int32_t, ESurfaceFormat) override { return note("mode "); }
    std::int32_t createPrimary(ESurfacePlacement p) override
    {
        return p == ESurfacePlacement::Video ? note("video ") - 1 : note("system ");
    }
    std::int32_t createBackBuffer() override { return note("back "); }
    void releasePrimary() override { note("release "); }
    std::int32_t present(const std::uint8_t*, std::int32_t) override { return 0; }
    std::int32_t createSurface(std::int32_t, std::int32_t, ESurfacePlacement) override { return 0; }
    std::uint32_t lossCount() const override { return 0; }
    std::int32_t restoreSurface() override { return 0; }
    bool vsyncIsReal() const override { return true; }

private:
    std::int32_t note(const char* what)
    {
        log_ += what;
        return 0;
    }
    std::string& log_;
};

TEST(Screen, OpensInOrderAndGivesTheDisplayBackWhenDestroyed)
{
    std::string log;
    {
        CScreen screen(std::make_unique<CRecordingDisplay>(log), nullptr);
        ASSERT_EQ(screen.OpenFullScreen(800, 600, 32), 0);
    }
    EXPECT_EQ(log, "enter mode video system back leave release ");
}

} // namespace
