#include "shell/CHotspot.h"

#include "input/CInput.h"
#include "input/KeyCodes.h"

void CHotspot::setPlace(std::int32_t left, std::int32_t top)
{
    left_ = left;
    top_ = top;
}

void CHotspot::setSize(std::int32_t width, std::int32_t height)
{
    width_ = width;
    height_ = height;
}

bool CHotspot::hitTest(const CSprite& cursor, const CInput& input)
{
    const std::int32_t spotX = cursor.x() + kPointingSpotX;
    const std::int32_t spotY = cursor.y() + kPointingSpotY;
    const bool inside = spotX >= left_ && spotX <= left_ + width_ && spotY >= top_ &&
                        spotY <= top_ + height_;
    if (!inside) {
        return false;
    }
    if (releasedThisPoll(input, KeyCode::MouseLeft)) {
        if (action_) {
            action_();
        }
    } else if (releasedThisPoll(input, KeyCode::MouseRight) && rightClickActs_ && action_) {
        action_();
    }
    return true;
}
