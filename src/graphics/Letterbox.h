#pragma once
#include <cstdint>

// Where a picture stands when it is scaled into an area as large as fits with its aspect kept,
// centred, with bars on the remaining sides.
struct SLetterbox {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    friend bool operator==(const SLetterbox&, const SLetterbox&) = default;
};

// Empty (zero size) when the area or the picture has no size.
SLetterbox fitPicture(std::int32_t areaWidth, std::int32_t areaHeight, std::int32_t pictureWidth,
                      std::int32_t pictureHeight);

// A stretched copy of a whole picture into `target`, cut to the part inside `bounds`: the part
// of the target that stays and the part of the picture that lands there, on the same scale.
// Empty target when nothing of it lies inside.
struct SStretchCut {
    SLetterbox target;
    SLetterbox source;
};
SStretchCut cutStretch(const SLetterbox& target, const SLetterbox& bounds, std::int32_t pictureWidth,
                       std::int32_t pictureHeight);

struct SPicturePoint {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend bool operator==(const SPicturePoint&, const SPicturePoint&) = default;
};

// The picture's pixel under a point of the area (outside the picture too, on the same scale);
// the point itself when the box is empty.
SPicturePoint pictureFromArea(const SLetterbox& box, std::int32_t pictureWidth, std::int32_t pictureHeight,
                              std::int32_t x, std::int32_t y);
