#pragma once
// A token that tells this test process from others running side by side, for the names of its
// temporary files and folders. Random, since not every system's C library has getpid().
#include <random>
#include <string>

inline const std::string& processToken()
{
    static const std::string token = [] {
        std::random_device random;
        return std::to_string(random()) + std::to_string(random());
    }();
    return token;
}
