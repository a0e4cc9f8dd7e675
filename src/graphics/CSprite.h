#pragma once
#include "graphics/CTileSurface.h"

#include <cstdint>
#include <memory>
#include <string_view>

class CScreen;

// A positioned tile of its own tile sheet; the frame number says which tile.
class CSprite {
public:
    CSprite() = default;
    virtual ~CSprite() = default;
    CSprite(const CSprite&) = delete;
    CSprite& operator=(const CSprite&) = delete;

    // 1 on success; -1 empty name, -2 the sprite already has a sheet (also after a failed
    // load), -3 the picture cannot be loaded.
    std::int32_t CreateTiles(CScreen& screen, std::string_view name, std::int32_t tileWidth,
                             std::int32_t tileHeight, std::int32_t tileCount, std::uint32_t memory);
    // Draws the current tile at (x - viewX, y - viewY) with mode 0 (opaque) or 100 (keyed), of
    // which the low 16 bits count. Returns the blit's result; a sheet without tiles or
    // another mode draws nothing and gives -1.
    std::int32_t Draw(CSurface& destination, std::int32_t viewX, std::int32_t viewY, std::uint32_t mode);
    std::int32_t Draw(CSurface& destination, std::int32_t viewX, std::int32_t viewY, EBlitMode mode)
    {
        return Draw(destination, viewX, viewY, static_cast<std::uint32_t>(mode));
    }

    std::int32_t x() const { return x_; }
    std::int32_t y() const { return y_; }
    void setPosition(std::int32_t x, std::int32_t y)
    {
        x_ = x;
        y_ = y;
    }
    std::uint32_t frame() const { return frame_; }
    void setFrame(std::uint32_t frame) { frame_ = frame; }
    // The tile sheet, once CreateTiles made one (loaded or not).
    CTileSurface* tiles() { return tiles_.get(); }
    // Whether the sheet was loaded.
    bool ownsTiles() const { return ownsTiles_; }

private:
    std::int32_t x_ = 0;
    std::int32_t y_ = 0;
    std::uint32_t frame_ = 0;
    bool ownsTiles_ = false;
    std::unique_ptr<CTileSurface> tiles_;
};
