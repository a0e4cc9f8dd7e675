#pragma once
#include <cstdint>
#include <deque>
#include <functional>

#include "input/InputEvent.h"

union SDL_Event;
struct SDL_Window;

// Turns SDL's keyboard, text, mouse, joystick and focus events into the program's input
// events. The event pump hands it every SDL event; CInput takes the result once per frame.
// In full screen the mouse reports relative motion (the cursor is the program's own); in a
// window the pointer's position is mapped into the 800 x 600 picture.
class CSdlInputSource final : public IInputSource {
public:
    // `window` must outlive this object; `isFullScreen` tells the window's current mode.
    CSdlInputSource(SDL_Window* window, std::function<bool()> isFullScreen);
    ~CSdlInputSource() override;
    CSdlInputSource(const CSdlInputSource&) = delete;
    CSdlInputSource& operator=(const CSdlInputSource&) = delete;

    void handleEvent(const SDL_Event& event);

    bool pollEvent(SInputEvent& event) override;
    SCursorPosition initialCursor() const override;

private:
    void handleKey(const SDL_Event& event);
    void handleText(const char* utf8);
    void handleMouseMotion(const SDL_Event& event);
    void handleMouseButton(const SDL_Event& event);
    void handleJoystickDevice(const SDL_Event& event);
    void handleJoystickButton(const SDL_Event& event);
    void handleWindowEvent(const SDL_Event& event);
    void openJoystick(int deviceIndex);
    void closeJoystick();
    void followWindowMode();
    SCursorPosition windowToPicture(int x, int y, bool alreadyLogical) const;
    void push(EInputEventType type, std::uint8_t code = 0, std::uint8_t character = 0,
              std::int32_t x = 0, std::int32_t y = 0);

    SDL_Window* window_;
    std::function<bool()> isFullScreen_;
    bool relativeMouse_ = false;
    bool joystickSubsystem_ = false;
    std::int32_t joystickId_ = -1;      // SDL instance id of the open joystick, or -1
    std::uint16_t joystickButtonsDown_ = 0;
    std::deque<SInputEvent> events_;
};
