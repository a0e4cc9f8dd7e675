#include "ShellTestPlatform.h"

#include "oracle/Random.h"

using namespace shelltest;

TEST_F(ShellTest, MenuHighlightFollowsThePointingSpot)
{
    ASSERT_TRUE(start());
    // Both edges count as inside. On the border line of start and settings the one asked later
    // wins; end is asked second: on its border with help, help (asked last) wins.
    // clang-format off
    const struct {
        int x, y, frame;
    } cases[] = {{50, 350, 0}, {100, 400, 1}, {300, 450, 2}, {60, 490, 3}, {130, 530, 4}, {400, 100, 5},
                 {200, 350, 5}, {20, 334, 0}, {104, 376, 0}, {105, 350, 5}, {138, 556, 4}, {138, 557, 5},
                 {50, 377, 1}, {50, 513, 3}};
    // clang-format on
    for (const auto& c : cases) {
        pointAt(c.x, c.y);
        EXPECT_EQ(app->graphics().menuFrames->currentFrame(), c.frame) << c.x << "," << c.y;
    }
    // A click on the border of start and settings runs both actions in the order they are asked.
    click(50, 377);
    EXPECT_EQ(log(), (std::vector<std::string>{"Farbtiefe: 32", "spiegel started"}));
    EXPECT_EQ(state().screenState, EScreen::Settings);
}

TEST_F(ShellTest, MenuActsOnALeftButtonLetGoOverTheEntry)
{
    ASSERT_TRUE(start());
    click(50, 350, 1); // right click: nothing
    click(50, 350, 2); // middle: nothing
    EXPECT_EQ(state().screenState, EScreen::TitleMenu);

    // Pressed over start, let go elsewhere: nothing.
    pointAt(50, 350);
    platform->input.pressMouseButton(0);
    frame();
    pointAt(400, 100);
    platform->input.releaseMouseButton(0);
    EXPECT_EQ(screenAfter(1), EScreen::TitleMenu);

    // Pressed elsewhere, let go over start: starts.
    platform->input.pressMouseButton(0);
    frame();
    pointAt(50, 350);
    platform->input.releaseMouseButton(0);
    EXPECT_EQ(screenAfter(1), EScreen::Question);
}

TEST_F(ShellTest, HelpScreenLeavesWithoutSavingAnything)
{
    ASSERT_TRUE(start());
    clickHelp();
    EXPECT_EQ(state().screenState, EScreen::Help);
    clickBack();
    EXPECT_EQ(state().screenState, EScreen::TitleMenu);
    EXPECT_EQ(platform->registryText, "");
}

// On a first run the selectors show the defaults, which the back button stores; they step and
// wrap both ways (right button backwards, both buttons at once: forward then back) over their
// whole 58 x 58 square, and are stored only by the back button.
TEST_F(ShellTest, SettingsSelectorsStepAndWrapAndOnlyTheBackButtonStoresThem)
{
    ASSERT_TRUE(start());
    clickSettings();
    EXPECT_EQ(state().screenState, EScreen::Settings);
    SGraphics& g = app->graphics();
    EXPECT_EQ(g.mb_back->value() + g.mb_gender->value() + g.mb_music->value(), 0);
    clickBack();
    for (const char* name : {"back", "dancer", "music"}) {
        EXPECT_EQ(storedSetting(name), 0) << name;
    }

    clickSettings();
    const struct {
        int x, y, button, value;
    } steps[] = {{380, 260, 0, 1}, {380, 260, 0, 2}, {380, 260, 0, 3},           {380, 260, 0, 4},
                 {380, 260, 0, 0}, {380, 260, 1, 4}, {374 + 58, 250 + 58, 0, 0}, {374 + 59, 250, 0, 0}};
    for (const auto& s : steps) {
        click(s.x, s.y, static_cast<std::uint8_t>(s.button));
        EXPECT_EQ(g.mb_back->value(), s.value) << s.x << "," << s.y;
        EXPECT_EQ(g.mb_back->frame(), static_cast<std::uint32_t>(s.value));
    }
    pointAt(380, 260);
    platform->input.pressMouseButton(0);
    platform->input.pressMouseButton(1);
    frame();
    platform->input.releaseMouseButton(0);
    platform->input.releaseMouseButton(1);
    frame();
    EXPECT_EQ(g.mb_back->value(), 0);
    click(380, 260);
    pressEscape();
    ASSERT_TRUE(app->quitPosted());
    EXPECT_EQ(storedSetting("back"), 0);
}

TEST_F(ShellTest, RandomLandscapeIsDrawnFromTheReseededGenerator)
{
    saveSetting("back", 4);
    platform->manualClock.setCalendarSeconds(1'234'567);
    ASSERT_TRUE(start());
    clickStart();
    seedRandom(1'234'567);
    const int expected = drawRandom() % 4 + 1;
    EXPECT_EQ(app->graphics().background->fileName(), "gfx/landschaft" + std::to_string(expected) + ".jpg");
    EXPECT_EQ(app->graphics().dancer->x(), expected == 2 ? 580 : 200);
}
