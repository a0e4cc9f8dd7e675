#include "graphics/Letterbox.h"

#include <algorithm>
#include <cmath>

SLetterbox fitPicture(std::int32_t areaWidth, std::int32_t areaHeight, std::int32_t pictureWidth,
                      std::int32_t pictureHeight)
{
    if (areaWidth <= 0 || areaHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) {
        return {};
    }
    // Compared as whole products, so a window of exactly the picture's aspect has no bars.
    const std::int64_t wide = std::int64_t{areaWidth} * pictureHeight;
    const std::int64_t tall = std::int64_t{areaHeight} * pictureWidth;
    SLetterbox box;
    if (wide > tall) {
        box.height = areaHeight;
        box.width = static_cast<std::int32_t>(tall / pictureHeight);
    } else {
        box.width = areaWidth;
        box.height = static_cast<std::int32_t>(wide / pictureWidth);
    }
    box.x = (areaWidth - box.width) / 2;
    box.y = (areaHeight - box.height) / 2;
    return box;
}

SPicturePoint pictureFromArea(const SLetterbox& box, std::int32_t pictureWidth, std::int32_t pictureHeight,
                              std::int32_t x, std::int32_t y)
{
    if (box.width <= 0 || box.height <= 0) {
        return {x, y};
    }
    const double px = std::floor(static_cast<double>(x - box.x) * pictureWidth / box.width);
    const double py = std::floor(static_cast<double>(y - box.y) * pictureHeight / box.height);
    return {static_cast<std::int32_t>(px), static_cast<std::int32_t>(py)};
}

namespace {

struct SSpan {
    std::int32_t start = 0;
    std::int32_t length = 0;
};

// One axis of the cut: the target span inside the bounds, and the source span under it, its
// ends rounded outwards so no picture column is lost at the cut.
void cutAxis(SSpan target, SSpan bounds, std::int32_t pictureLength, SSpan& keptTarget, SSpan& keptSource)
{
    const std::int64_t begin = std::max<std::int64_t>(target.start, bounds.start);
    const std::int64_t end = std::min<std::int64_t>(std::int64_t{target.start} + target.length,
                                                    std::int64_t{bounds.start} + bounds.length);
    if (end <= begin || target.length <= 0) {
        keptTarget = {};
        keptSource = {};
        return;
    }
    keptTarget = {static_cast<std::int32_t>(begin), static_cast<std::int32_t>(end - begin)};
    const std::int64_t from = (begin - target.start) * pictureLength / target.length;
    const std::int64_t to = ((end - target.start) * pictureLength + target.length - 1) / target.length;
    keptSource = {static_cast<std::int32_t>(from), static_cast<std::int32_t>(std::min<std::int64_t>(to, pictureLength) - from)};
}

} // namespace

SStretchCut cutStretch(const SLetterbox& target, const SLetterbox& bounds, std::int32_t pictureWidth,
                       std::int32_t pictureHeight)
{
    SSpan targetX, sourceX, targetY, sourceY;
    cutAxis({target.x, target.width}, {bounds.x, bounds.width}, pictureWidth, targetX, sourceX);
    cutAxis({target.y, target.height}, {bounds.y, bounds.height}, pictureHeight, targetY, sourceY);
    if (targetX.length <= 0 || targetY.length <= 0) {
        return {};
    }
    return {{targetX.start, targetY.start, targetX.length, targetY.length},
            {sourceX.start, sourceY.start, sourceX.length, sourceY.length}};
}
