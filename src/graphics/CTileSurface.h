#pragma once
#include "graphics/CSurface.h"

#include <cstdint>

// A picture holding equally sized tiles in rows, numbered left to right, top to bottom.
class CTileSurface : public CSurface {
public:
    std::int32_t tileWidth() const { return tileWidth_; }
    std::int32_t tileHeight() const { return tileHeight_; }
    void setTileSize(std::int32_t width, std::int32_t height)
    {
        tileWidth_ = width;
        tileHeight_ = height;
    }

private:
    std::int32_t tileWidth_ = 0;
    std::int32_t tileHeight_ = 0;
};
