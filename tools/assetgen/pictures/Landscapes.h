// The four landscapes share a frame: a sky and distance of their own, then the wall, gate
// ground and torch light that every one of them carries in the same place.
#pragma once
#include "pictures/Painting.h"
#include "pictures/Scene.h"

namespace assetgen {

struct LandscapeStyle {
    Rgb wallAmbient;  // moon, dusk or sunset light on the outer wall
    Rgb groundNear;   // ground colour at the wall's foot, lit by the torches
    float vignette = 0.35f;
};

// Each landscape paints its background first, then what stands in front of the wall.
void paintLakeBackground(CCanvas& c);
void paintLakeForeground(CCanvas& c);
void paintForestBackground(CCanvas& c);
void paintForestForeground(CCanvas& c);
void paintWinterBackground(CCanvas& c);
void paintWinterForeground(CCanvas& c);
void paintMeadowBackground(CCanvas& c);
void paintMeadowForeground(CCanvas& c);

// Torch light falling on the ground in front of the wall.
void lightGroundByTorches(CCanvas& c, float strength);
// A soft pool of light and a faint contact shadow where the dancer stands.
void groundTheDancer(CCanvas& c, int landscape, Rgb light, float lightStrength);

} // namespace assetgen
