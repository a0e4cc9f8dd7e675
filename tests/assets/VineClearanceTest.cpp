// The rose vines of the menu screens leave alone every place where the program draws over them
// or answers the mouse: checked on the generator's own record of the pixels the vines changed,
// at the coordinates the program itself uses.
#include "pictures/Ui.h"
#include "shell/MenuLayout.h"

#include <gtest/gtest.h>

namespace assettest {
namespace {

using assetgen::CMask;
using menu_layout::SRect;

// A change that could move an 8-bit value.
constexpr float kVisible = 0.5f / 255;

int vinePixelsIn(const CMask& vines, const SRect& r)
{
    int n = 0;
    for (int y = r.top; y < r.top + r.height; ++y)
        for (int x = r.left; x < r.left + r.width; ++x)
            n += vines.at(x, y) > kVisible;
    return n;
}

int vinePixels(const CMask& vines)
{
    return vinePixelsIn(vines, {0, 0, vines.width(), vines.height()});
}

TEST(MenuVines, LeaveEveryHotspotOfTheTitleMenuAlone)
{
    const assetgen::SScreenArt title = assetgen::paintTitle();
    ASSERT_EQ(title.vines.width(), 800);
    EXPECT_GT(vinePixels(title.vines), 4000) << "the roses are gone";
    const char* names[] = {"Start", "Einstellungen", "Homepage", "Hilfe", "Ende"};
    for (size_t k = 0; k < menu_layout::kHotspots.size(); ++k)
        EXPECT_EQ(vinePixelsIn(title.vines, menu_layout::kHotspots[k]), 0) << names[k];
}

TEST(MenuVines, StayOutFromBehindTheBackButtonAndTheSelectors)
{
    const assetgen::SScreenArt help = assetgen::paintHelpScreen();
    EXPECT_GT(vinePixels(help.vines), 3000) << "the help screen's roses are gone";
    EXPECT_EQ(vinePixelsIn(help.vines, menu_layout::kBackButtonOnMenus), 0) << "help screen";
    const assetgen::SScreenArt settings = assetgen::paintSettingsScreen();
    EXPECT_GT(vinePixels(settings.vines), 3000) << "the settings screen's roses are gone";
    for (const SRect& r : {menu_layout::kBackButtonOnMenus, menu_layout::kLandscapeSelector, menu_layout::kMusicSelector})
        EXPECT_EQ(vinePixelsIn(settings.vines, r), 0) << "settings screen at " << r.left << "," << r.top;
}

} // namespace
} // namespace assettest
