#pragma once
#include "platform/win32/ComPtr.h"
#include "platform/win32/Win32InputTranslation.h"
#include "platform/win32/Win32Api.h"

#include "input/CInputEventQueue.h"
#include "input/CJoystickButtons.h"
#include "input/InputEvent.h"

#define DIRECTINPUT_VERSION 0x0700
#include <dinput.h>

#include <cstdint>
#include <functional>

// Keyboard, mouse and first joystick through DirectInput 7, non-exclusive and foreground only,
// turned into the program's input events. Presses come from the devices' buffered data, so a
// press and release between two frames is still seen; the keys' scan codes are DirectInput's.
// Text comes from the window's WM_CHAR, one character per keystroke. Full screen, the mouse
// moves the program's cursor by relative motion; in a window the pointer's own position counts.
class CDirectInputSource final : public IInputSource {
public:
    struct SWindow {
        HINSTANCE instance = nullptr;
        HWND handle = nullptr;
        std::function<bool()> isFullScreen;
        // A point of the client area in the 800 x 600 picture.
        std::function<SCursorPosition(std::int32_t x, std::int32_t y)> clientToPicture;
    };

    explicit CDirectInputSource(SWindow window);
    ~CDirectInputSource() override;
    CDirectInputSource(const CDirectInputSource&) = delete;
    CDirectInputSource& operator=(const CDirectInputSource&) = delete;

    // From the window procedure. A key message means the keyboard has news: its buffer is
    // read at once, so the press stays ahead of the WM_CHAR it brings.
    void onKeyMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onChar(WPARAM wParam);
    void onMouseMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onActivate(bool active);

    bool pollEvent(SInputEvent& event) override;
    SCursorPosition initialCursor() const override;

private:
    void openKeyboard();
    void openMouse();
    void openJoystick();
    static BOOL CALLBACK takeFirstJoystick(LPCDIDEVICEINSTANCEA device, LPVOID self);
    void acquireAll();
    void readKeyboard();
    void readMouse();
    void readJoystick();
    bool readBuffer(IDirectInputDeviceA* device, DIDEVICEOBJECTDATA* records, DWORD& count);
    void followWindowMode();
    void push(const SInputEvent& event) { events_.push(event); }

    SWindow window_;
    CComPtr<IDirectInputA> directInput_;
    CComPtr<IDirectInputDeviceA> keyboard_;
    CComPtr<IDirectInputDeviceA> mouse_;
    CComPtr<IDirectInputDevice2A> joystick_;
    CJoystickButtons joystickButtons_;
    bool relativeMouse_ = false;
    bool pointerInside_ = false;
    CAltEnterFilter altEnter_;
    CInputEventQueue events_;
};
