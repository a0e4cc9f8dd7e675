// The look shared by the menu screens and buttons: a night-sky backdrop with roses in its
// corners, gold-rimmed plaques, and gold and lilac lettering.
#pragma once
#include "pictures/Canvas.h"
#include "pictures/Parts.h"
#include "pictures/Text.h"

#include <string>
#include <vector>

namespace assetgen {

const SRgb kLilac = rgb8(208, 196, 228);
const SRgb kParchmentText = rgb8(236, 226, 204);

// Deep blue-violet sky with stars and veils of mist; the seed varies it per screen.
CCanvas paintNightBackdrop(uint32_t seed);
// A translucent dark panel with a thin gold rim, for text to sit on.
void paintPanel(CCanvas& c, float left, float top, float right, float bottom, float opacity);
// An ornamental gold line with a small diamond in its middle.
void paintFlourish(CCanvas& c, float centreX, float y, float halfWidth);
// Polished gold from its highlight (0) to its deep shade (1).
SRgb goldTone(float t);
// A four-pointed sparkle.
void paintSparkle(CCanvas& c, SVec2 at, float size, SRgb colour);

// The program's push buttons: opaque gold-rimmed plaques with a label.
CCanvas paintPlaqueButton(int width, int height, const std::string& label);

SKeyedPicture paintCursor();
SKeyedPicture paintLandscapeSelector(const std::vector<CCanvas>& landscapes);
SKeyedPicture paintMusicSelector();
CCanvas paintGenderSelector();
std::vector<CCanvas> paintLoaderFrames();

// A menu screen's background, and where its rose vines changed it.
struct SScreenArt {
    CCanvas picture;
    CMask vines;
};

// The menu frames repeat the title picture under the entries; they are cut from what the
// program will decode of the title JPEG, so they fit it to the pixel.
SScreenArt paintTitle();
std::vector<CCanvas> paintMenuFrames(const CCanvas& decodedTitle);
SScreenArt paintSettingsScreen();
SScreenArt paintHelpScreen();

} // namespace assetgen
