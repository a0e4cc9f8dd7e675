#pragma once
#include <filesystem>

// Composes and renders the background song, encodes it as Ogg Vorbis and writes it into a
// resource-only Windows module as the resource "MUSIC.OGG" of type "OGG". Same bytes every run.
void generateSongPackage(const std::filesystem::path& resourceDat);
