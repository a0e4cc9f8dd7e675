#pragma once
#include "shell/CCycleButton.h"

#include <cstdint>

// An invisible rectangle over a part of the menu picture that runs an action when clicked.
class CHotspot : public CSprite {
public:
    CHotspot() = default;
    ~CHotspot() override = default;

    void setPlace(std::int32_t left, std::int32_t top);
    void setSize(std::int32_t width, std::int32_t height);
    void setAction(ButtonAction action) { action_ = std::move(action); }
    void setRightClickActs(bool acts) { rightClickActs_ = acts; }

    // False when the pointing spot is elsewhere. Otherwise true, and a left button let go
    // during this poll runs the action (a right one only when right clicks act).
    bool hitTest(const CSprite& cursor, const CInput& input);

private:
    ButtonAction action_;
    std::int32_t left_ = 0;
    std::int32_t top_ = 0;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    bool rightClickActs_ = false;
};
