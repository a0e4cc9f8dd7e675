// The painters of the single pictures; each returns finished canvases, the caller encodes them.
#pragma once
#include "pictures/Canvas.h"
#include "pictures/Scene.h"

#include <array>
#include <vector>

namespace assetgen {

struct SKeyedPicture {
    CCanvas colour;
    CMask alpha; // below one half: transparent, written as the key colour
};

SKeyedPicture paintGate();
// Ten frames of one torch; left selects the frame set and its piece of wall.
std::vector<CCanvas> paintTorchFrames(const SWall& wall, bool left);
// Landscape number 1 to 4.
CCanvas paintLandscape(int number, const SWall& wall);
std::vector<SKeyedPicture> paintDancerFrames();
SKeyedPicture paintQuestionBox();

} // namespace assetgen
