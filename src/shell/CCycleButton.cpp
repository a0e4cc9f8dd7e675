#include "shell/CCycleButton.h"

#include "input/CInput.h"
#include "input/KeyCodes.h"

bool releasedThisPoll(const CInput& input, int mouseButtonCode)
{
    return input.GetKeyState(mouseButtonCode) == CInput::kReleased;
}

void CCycleButton::setValue(std::int32_t value)
{
    value_ = value;
    setFrame(static_cast<std::uint32_t>(value));
}

void CCycleButton::next()
{
    value_ += 1;
    if (value_ > maxValue_) {
        value_ = 0;
    }
    setFrame(static_cast<std::uint32_t>(value_));
    runAction();
}

void CCycleButton::previous()
{
    value_ -= 1;
    if (value_ < 0) {
        value_ = maxValue_;
    }
    setFrame(static_cast<std::uint32_t>(value_));
    if (rightClickActs_) {
        runAction();
    }
}

bool CCycleButton::contains(std::int32_t x, std::int32_t y)
{
    CTileSurface* sheet = tiles();
    if (sheet == nullptr || !ownsTiles()) {
        return false;
    }
    return x >= this->x() && x <= this->x() + sheet->tileWidth() && y >= this->y() &&
           y <= this->y() + sheet->tileHeight();
}

void CCycleButton::handleMouse(const CSprite& cursor, const CInput& input)
{
    const std::int32_t spotX = cursor.x() + kPointingSpotX;
    const std::int32_t spotY = cursor.y() + kPointingSpotY;
    if (releasedThisPoll(input, KeyCode::MouseLeft) && contains(spotX, spotY)) {
        next();
    }
    if (releasedThisPoll(input, KeyCode::MouseRight) && contains(spotX, spotY)) {
        previous();
    }
}

void CCycleButton::runAction()
{
    if (action_) {
        action_();
    }
}
