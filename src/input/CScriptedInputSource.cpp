#include "input/CScriptedInputSource.h"

bool CScriptedInputSource::pollEvent(InputEvent& event)
{
    if (events_.empty()) {
        return false;
    }
    event = events_.front();
    events_.pop_front();
    return true;
}

void CScriptedInputSource::pressKey(std::uint8_t scanCode, std::uint8_t character)
{
    push({InputEventType::KeyDown, scanCode, character});
}

void CScriptedInputSource::releaseKey(std::uint8_t scanCode)
{
    push({InputEventType::KeyUp, scanCode});
}

void CScriptedInputSource::typeKey(std::uint8_t scanCode, std::string_view cp1252)
{
    pressKey(scanCode);
    for (char c : cp1252) {
        push({InputEventType::Text, 0, static_cast<std::uint8_t>(c)});
    }
}

void CScriptedInputSource::moveMouse(std::int32_t dx, std::int32_t dy)
{
    push({InputEventType::MouseMotion, 0, 0, dx, dy});
}

void CScriptedInputSource::pointAt(std::int32_t x, std::int32_t y)
{
    push({InputEventType::MousePosition, 0, 0, x, y});
}

void CScriptedInputSource::pressMouseButton(std::uint8_t button)
{
    push({InputEventType::MouseButtonDown, button});
}

void CScriptedInputSource::releaseMouseButton(std::uint8_t button)
{
    push({InputEventType::MouseButtonUp, button});
}

void CScriptedInputSource::pressJoystickButton(std::uint8_t button)
{
    push({InputEventType::JoystickButtonDown, button});
}

void CScriptedInputSource::releaseJoystickButton(std::uint8_t button)
{
    push({InputEventType::JoystickButtonUp, button});
}

void CScriptedInputSource::loseFocus()
{
    push({InputEventType::FocusLost});
}

void CScriptedInputSource::gainFocus()
{
    push({InputEventType::FocusGained});
}
