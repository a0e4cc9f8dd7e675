#pragma once
#include <cstdint>

// A rectangle of pixels; right and bottom are exclusive.
struct SRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const SRect&, const SRect&) = default;
};
