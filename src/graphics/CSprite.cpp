#include "graphics/CSprite.h"

#include <algorithm>
#include <limits>

namespace {

std::int32_t clampToInt32(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

} // namespace

std::int32_t CSprite::CreateTiles(CScreen& screen, std::string_view name, std::int32_t tileWidth,
                                  std::int32_t tileHeight, [[maybe_unused]] std::int32_t tileCount,
                                  std::uint32_t memory)
{
    if (name.empty()) {
        return -1;
    }
    if (tiles_) {
        return -2;
    }
    // The sheet stays with the sprite even when its picture fails, so a second attempt is
    // refused as the first one left it; it is destroyed with the sprite either way.
    tiles_ = std::make_unique<CTileSurface>();
    if (tiles_->LoadImage(screen, name, memory) < 0) {
        return -3;
    }
    tiles_->setTileSize(tileWidth, tileHeight);
    ownsTiles_ = true;
    return 1;
}

std::int32_t CSprite::Draw(CSurface& destination, std::int32_t viewX, std::int32_t viewY, std::uint32_t mode)
{
    if (!tiles_ || !tiles_->hasSurface()) {
        return -1;
    }
    const std::int32_t tileWidth = tiles_->tileWidth();
    const std::int32_t tileHeight = tiles_->tileHeight();
    const std::int32_t perRow = tileWidth > 0 ? tiles_->width() / tileWidth : 0;
    if (perRow <= 0 || tileHeight <= 0) {
        return -1;
    }
    const std::int64_t column = frame_ % static_cast<std::uint32_t>(perRow);
    const std::int64_t row = frame_ / static_cast<std::uint32_t>(perRow);
    const std::int64_t top = row * tileHeight;
    if (top >= tiles_->height()) {
        return 0; // a frame past the last tile lies below the picture and is clipped away
    }
    const SRect tile{static_cast<std::int32_t>(column * tileWidth), static_cast<std::int32_t>(top),
                    static_cast<std::int32_t>(column * tileWidth + tileWidth), static_cast<std::int32_t>(top + tileHeight)};
    const std::int32_t x = clampToInt32(static_cast<std::int64_t>(x_) - viewX);
    const std::int32_t y = clampToInt32(static_cast<std::int64_t>(y_) - viewY);
    switch (mode & 0xFFFFu) {
    case static_cast<std::uint32_t>(EBlitMode::Opaque): return tiles_->Opaque(destination, x, y, tile);
    case static_cast<std::uint32_t>(EBlitMode::Keyed): return tiles_->Keyed(destination, x, y, tile);
    default: return -1;
    }
}
