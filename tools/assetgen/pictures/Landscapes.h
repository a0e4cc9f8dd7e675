// The four landscapes share a frame: a sky and distance of their own, then the wall, gate
// ground and torch light that every one of them carries in the same place.
#pragma once
#include "pictures/Painting.h"
#include "pictures/Scene.h"

namespace assetgen {

struct SLandscapeStyle {
    SRgb wallAmbient;  // moon, dusk or sunset light on the outer wall
    SRgb groundNear;   // ground colour at the wall's foot, lit by the torches
    float vignette = 0.35f;
    float torchPool = 1.1f; // how strongly the torches light the ground: the darker, the more
    SRgb skyRim;             // the sky's light on the wall's upper edges and its lit end
    float lightFrom = -1;   // the moon or sun stands to the left (-1) or right (1)
    float shadow = 0.3f;    // how dark the wall's shadow falls on the ground
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

// Torch light falling on the ground in front of the wall, pooling warm round their feet.
void lightGroundByTorches(CCanvas& c, float strength);
// A soft pool of light and a faint contact shadow where the dancer stands.
void groundTheDancer(CCanvas& c, int landscape, SRgb light, float lightStrength);

} // namespace assetgen
