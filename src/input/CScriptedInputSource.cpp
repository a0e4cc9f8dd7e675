#include "input/CScriptedInputSource.h"

bool CScriptedInputSource::pollEvent(SInputEvent& event)
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
    push({EInputEventType::KeyDown, scanCode, character});
}

void CScriptedInputSource::releaseKey(std::uint8_t scanCode)
{
    push({EInputEventType::KeyUp, scanCode});
}

void CScriptedInputSource::typeKey(std::uint8_t scanCode, std::string_view cp1252)
{
    pressKey(scanCode);
    for (char c : cp1252) {
        push({EInputEventType::Text, 0, static_cast<std::uint8_t>(c)});
    }
}

void CScriptedInputSource::moveMouse(std::int32_t dx, std::int32_t dy)
{
    push({EInputEventType::MouseMotion, 0, 0, dx, dy});
}

void CScriptedInputSource::pointAt(std::int32_t x, std::int32_t y)
{
    push({EInputEventType::MousePosition, 0, 0, x, y});
}

void CScriptedInputSource::pressMouseButton(std::uint8_t button)
{
    push({EInputEventType::MouseButtonDown, button});
}

void CScriptedInputSource::releaseMouseButton(std::uint8_t button)
{
    push({EInputEventType::MouseButtonUp, button});
}

void CScriptedInputSource::pressJoystickButton(std::uint8_t button)
{
    push({EInputEventType::JoystickButtonDown, button});
}

void CScriptedInputSource::releaseJoystickButton(std::uint8_t button)
{
    push({EInputEventType::JoystickButtonUp, button});
}

void CScriptedInputSource::loseFocus()
{
    push({EInputEventType::FocusLost});
}

void CScriptedInputSource::gainFocus()
{
    push({EInputEventType::FocusGained});
}
