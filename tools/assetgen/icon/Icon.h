// The program's icon, made from its own gate picture, for the Windows executable.
#pragma once
#include "icon/IcoFile.h"
#include "pictures/Canvas.h"

#include <filesystem>

namespace assetgen {

// The picture, whose alpha says where it is, centred on a transparent square and scaled to
// size × size; colours are averaged weighted by alpha, so no background bleeds into the edge.
SIconImage squareIcon(const CCanvas& colour, const CMask& alpha, int size);
// Writes the gate as an icon in 16, 32, 48 and 256 pixels.
void generateIcon(const std::filesystem::path& file);

} // namespace assetgen
