// Where the title menu's hotspots and the back button sit on the 800 x 600 screen. The picture
// generator paints its backgrounds around these very places, so both read them from here.
#pragma once
#include <array>
#include <cstdint>

namespace menu_layout {

struct SRect {
    std::int32_t left, top, width, height;
};

// In the order of the menu entries: Start, Einstellungen, Homepage, Hilfe, Ende.
inline constexpr std::array<SRect, 5> kHotspots{{
    {20, 334, 84, 43},
    {20, 377, 155, 50},
    {20, 427, 346, 43},
    {20, 470, 84, 43},
    {20, 513, 118, 43},
}};

inline constexpr std::int32_t kBackButtonWidth = 77;
inline constexpr std::int32_t kBackButtonHeight = 32;
// On the help and settings screens, and in the scene.
inline constexpr SRect kBackButtonOnMenus{700, 555, kBackButtonWidth, kBackButtonHeight};
inline constexpr SRect kBackButtonInScene{700, 24, kBackButtonWidth, kBackButtonHeight};

// The settings screen's two selectors, 58 pixels square.
inline constexpr SRect kLandscapeSelector{374, 250, 58, 58};
inline constexpr SRect kMusicSelector{374, 395, 58, 58};

} // namespace menu_layout
