// Paints every picture the program loads from its gfx folder and writes them there.
#pragma once
#include <filesystem>

void generatePictures(const std::filesystem::path& gfxDir);
