// The program's icon: the stone gate as it stands in the first landscape, in a rounded square.
#pragma once
#include "pictures/Png.h"

#include <filesystem>
#include <string>

namespace assetgen {

// OUTDIR/hicolor/NxN/apps/APPID.png for the desktop's sizes, and OUTDIR/WindowIcon.h with the
// 64 x 64 icon as bytes for the program's window.
void generateIcons(const std::filesystem::path& outDir, const std::string& appId);

} // namespace assetgen
