#pragma once
#include <string>
#include <string_view>

// The picture loader's English reason for refusing a file, said in a few German words (in
// Windows-1252) for the error log a user reads: what is wrong with the file, not where.
std::string pictureTroubleInGerman(std::string_view loaderReason);
