// Climbing roses for the menu screens. They grow from the screen's edges and stop short of
// every place the program draws over or the user must read, and they say where they went.
#pragma once
#include "pictures/Canvas.h"
#include "pictures/Shapes.h"
#include "pictures/Text.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace assetgen {

struct SBox {
    float left, top, right, bottom;

    SBox grown(float by) const { return {left - by, top - by, right + by, bottom + by}; }
    bool overlaps(const SBox& o) const { return left < o.right && o.left < right && top < o.bottom && o.top < bottom; }
};

// A rectangle given by its corner and size, as the program places its hotspots and buttons.
template <typename SRect>
SBox boxOf(const SRect& r)
{
    return {static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.left + r.width),
            static_cast<float>(r.top + r.height)};
}

// Where a line of text set at (x, baseline) puts its letters and their halo.
SBox textBox(const CFont& font, std::string_view text, float x, float baseline, float size, EAlign align);

struct SVineRoute {
    SVec2 root;
    SVec2 direction; // unit length
    float reach;
    uint32_t seed;
    float sway = 18; // how far the stem winds to either side
};

// Paints the vines over the canvas. A stem ends before it would enter a keep-out box, leaves
// and blooms that would reach into one are left out. Returns the pixels the vines changed.
CMask paintRoseVines(CCanvas& c, const std::vector<SVineRoute>& routes, const std::vector<SBox>& keepOut);

} // namespace assetgen
