// The program's icon for the Linux desktop and its window: the same gate as the Windows icon.
#pragma once
#include "icon/IcoFile.h"
#include "icon/Png.h"

#include <filesystem>
#include <string>

namespace assetgen {

SRgbaImage toRgba(const SIconImage& icon);

// OUTDIR/hicolor/NxN/apps/APPID.png for the desktop's sizes, and OUTDIR/WindowIcon.h with the
// 64 x 64 icon as bytes for the program's window.
void generateDesktopIcons(const std::filesystem::path& outDir, const std::string& appId);

} // namespace assetgen
