#pragma once
#include "graphics/CSprite.h"

#include <cstdint>
#include <functional>

class CInput;

// What a button or hotspot runs when it is clicked.
using ButtonAction = std::function<void()>;

// The pointing spot of the mouse lies this far right of and below the cursor picture's corner.
inline constexpr std::int32_t kPointingSpotX = 7;
inline constexpr std::int32_t kPointingSpotY = 2;

// A visible button with a value that a click moves on; the picture shows the tile of the same
// number. With a highest value of 0 it is a plain push button.
class CCycleButton : public CSprite {
public:
    CCycleButton() = default;
    ~CCycleButton() override = default;

    void setValue(std::int32_t value);
    std::int32_t value() const { return value_; }
    void setMaxValue(std::int32_t maxValue) { maxValue_ = maxValue; }
    void setRightClickActs(bool acts) { rightClickActs_ = acts; }
    void setAction(ButtonAction action) { action_ = std::move(action); }

    // One value on, wrapping to 0 past the highest; runs the action.
    void next();
    // One value back, wrapping to the highest below 0; runs the action only for right clicks
    // that act.
    void previous();

    // A left button let go over the button steps forward; then a right one steps back.
    void handleMouse(const CSprite& cursor, const CInput& input);

    // Whether the point lies on the button, both edges included. A button whose picture
    // did not load has no size and is never hit.
    bool contains(std::int32_t x, std::int32_t y);

private:
    void runAction();

    ButtonAction action_;
    std::int32_t maxValue_ = 0;
    std::int32_t value_ = 0;
    bool rightClickActs_ = false;
};

// True when the mouse button (key code 256, 257 or 258) was let go during this poll.
bool releasedThisPoll(const CInput& input, int mouseButtonCode);
