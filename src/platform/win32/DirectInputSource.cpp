#include "platform/win32/DirectInputSource.h"


#include <array>

namespace {

constexpr DWORD kBufferedRecords = 128;
constexpr DWORD kCooperation = DISCL_NONEXCLUSIVE | DISCL_FOREGROUND;

bool setBufferSize(IDirectInputDeviceA* device)
{
    DIPROPDWORD property{};
    property.diph.dwSize = sizeof(DIPROPDWORD);
    property.diph.dwHeaderSize = sizeof(DIPROPHEADER);
    property.diph.dwHow = DIPH_DEVICE;
    property.dwData = kBufferedRecords;
    return SUCCEEDED(device->SetProperty(DIPROP_BUFFERSIZE, &property.diph));
}

// Another program in front at start is no failure: the device is taken when the focus comes.
void acquire(IDirectInputDeviceA* device)
{
    if (device) {
        device->Acquire();
    }
}

} // namespace

CDirectInputSource::CDirectInputSource(SWindow window) : window_(std::move(window))
{
    if (FAILED(DirectInputCreateA(window_.instance, 0x0700, directInput_.put(), nullptr))) {
        directInput_.reset();
        return;
    }
    openKeyboard();
    openMouse();
    openJoystick();
    followWindowMode();
    acquireAll();
}

CDirectInputSource::~CDirectInputSource()
{
    for (IDirectInputDeviceA* device : {keyboard_.get(), mouse_.get()}) {
        if (device) {
            device->Unacquire();
        }
    }
    if (joystick_) {
        joystick_->Unacquire();
    }
}

void CDirectInputSource::openKeyboard()
{
    CComPtr<IDirectInputDeviceA> device;
    if (FAILED(directInput_->CreateDevice(GUID_SysKeyboard, device.put(), nullptr)) ||
        FAILED(device->SetDataFormat(&c_dfDIKeyboard)) ||
        FAILED(device->SetCooperativeLevel(window_.handle, kCooperation)) || !setBufferSize(device.get())) {
        return;
    }
    keyboard_ = std::move(device);
}

void CDirectInputSource::openMouse()
{
    CComPtr<IDirectInputDeviceA> device;
    if (FAILED(directInput_->CreateDevice(GUID_SysMouse, device.put(), nullptr)) ||
        FAILED(device->SetDataFormat(&c_dfDIMouse)) ||
        FAILED(device->SetCooperativeLevel(window_.handle, kCooperation)) || !setBufferSize(device.get())) {
        return;
    }
    mouse_ = std::move(device);
}

BOOL CALLBACK CDirectInputSource::takeFirstJoystick(LPCDIDEVICEINSTANCEA device, LPVOID context)
{
    auto* self = static_cast<CDirectInputSource*>(context);
    CComPtr<IDirectInputDeviceA> first;
    if (FAILED(self->directInput_->CreateDevice(device->guidInstance, first.put(), nullptr))) {
        return DIENUM_CONTINUE;
    }
    CComPtr<IDirectInputDevice2A> joystick;
    if (FAILED(first->QueryInterface(IID_IDirectInputDevice2A, joystick.putVoid())) ||
        FAILED(joystick->SetDataFormat(&c_dfDIJoystick)) ||
        FAILED(joystick->SetCooperativeLevel(self->window_.handle, kCooperation))) {
        return DIENUM_STOP;
    }
    self->joystick_ = std::move(joystick);
    return DIENUM_STOP;
}

void CDirectInputSource::openJoystick()
{
    directInput_->EnumDevices(DIDEVTYPE_JOYSTICK, &CDirectInputSource::takeFirstJoystick, this, DIEDFL_ATTACHEDONLY);
}

void CDirectInputSource::acquireAll()
{
    acquire(keyboard_.get());
    acquire(mouse_.get());
    if (joystick_) {
        joystick_->Acquire();
    }
}

void CDirectInputSource::onActivate(bool active)
{
    if (!active) {
        // The devices let go by themselves (foreground only); CInput forgets what was held.
        push({EInputEventType::FocusLost});
        joystickButtons_.releaseAll(events_);
        return;
    }
    acquireAll();
    // Whatever the buffers kept from before belongs to the time away.
    if (keyboard_) {
        DWORD count = INFINITE;
        keyboard_->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), nullptr, &count, 0);
    }
    if (mouse_) {
        DWORD count = INFINITE;
        mouse_->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), nullptr, &count, 0);
    }
    altEnter_.reset();
    push({EInputEventType::FocusGained});
    followWindowMode();
}

void CDirectInputSource::onKeyMessage(UINT message, WPARAM, LPARAM lParam)
{
    if (!keyboard_) {
        // Without the device the window's own key messages say what went down and up.
        if (!isRepeatedKeyDown(message, lParam)) {
            const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
            const SInputEvent event = keyboardDataEvent(scanCodeOfKeyMessage(lParam), down ? 0x80 : 0x00);
            if (altEnter_.pass(event)) {
                push(event);
            }
        }
    }
    readKeyboard();
    // The repeats of a held editing key come only as messages; held letters repeat as WM_CHAR.
    if (isRepeatedKeyDown(message, lParam)) {
        const std::uint8_t scanCode = scanCodeOfKeyMessage(lParam);
        const std::uint8_t character = editingCharacter(scanCode);
        if (character != 0 && !(altEnter_.swallowingReturn() && isReturnScanCode(scanCode))) {
            push({EInputEventType::KeyRepeat, scanCode, character});
        }
    }
}

void CDirectInputSource::onChar(WPARAM wParam)
{
    if (const std::optional<std::uint8_t> character = typedCharacter(wParam, GetACP())) {
        push({EInputEventType::Text, 0, *character});
    }
}

void CDirectInputSource::onMouseMessage(UINT message, WPARAM, LPARAM lParam)
{
    followWindowMode();
    if (relativeMouse_) {
        return;
    }
    if (message == WM_MOUSELEAVE) {
        pointerInside_ = false;
        push({EInputEventType::PointerLeft});
        return;
    }
    const SCursorPosition position = window_.clientToPicture(static_cast<std::int16_t>(LOWORD(lParam)),
                                                            static_cast<std::int16_t>(HIWORD(lParam)));
    if (!pointerInside_) {
        pointerInside_ = true;
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, window_.handle, 0};
        TrackMouseEvent(&track);
        push({EInputEventType::PointerEntered});
    }
    push({EInputEventType::MousePosition, 0, 0, position.x, position.y});
    switch (message) {
    case WM_LBUTTONDOWN: push({EInputEventType::MouseButtonDown, 0}); break;
    case WM_LBUTTONUP: push({EInputEventType::MouseButtonUp, 0}); break;
    case WM_RBUTTONDOWN: push({EInputEventType::MouseButtonDown, 1}); break;
    case WM_RBUTTONUP: push({EInputEventType::MouseButtonUp, 1}); break;
    case WM_MBUTTONDOWN: push({EInputEventType::MouseButtonDown, 2}); break;
    case WM_MBUTTONUP: push({EInputEventType::MouseButtonUp, 2}); break;
    default: break;
    }
}

bool CDirectInputSource::readBuffer(IDirectInputDeviceA* device, DIDEVICEOBJECTDATA* records, DWORD& count)
{
    HRESULT result = device->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), records, &count, 0);
    if (result == DIERR_INPUTLOST || result == DIERR_NOTACQUIRED) {
        // Taken away (the focus went, or came back before the device knew): take it again.
        if (FAILED(device->Acquire())) {
            count = 0;
            return false;
        }
        result = device->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), records, &count, 0);
    }
    if (FAILED(result)) {
        count = 0;
        return false;
    }
    return true;
}

void CDirectInputSource::readKeyboard()
{
    if (!keyboard_) {
        return;
    }
    std::array<DIDEVICEOBJECTDATA, kBufferedRecords> records{};
    DWORD count = kBufferedRecords;
    readBuffer(keyboard_.get(), records.data(), count);
    for (DWORD i = 0; i < count; ++i) {
        const SInputEvent event = keyboardDataEvent(records[i].dwOfs, records[i].dwData);
        if (altEnter_.pass(event)) {
            push(event);
        }
    }
}

void CDirectInputSource::readMouse()
{
    if (!mouse_) {
        return;
    }
    std::array<DIDEVICEOBJECTDATA, kBufferedRecords> records{};
    DWORD count = kBufferedRecords;
    readBuffer(mouse_.get(), records.data(), count);
    // In a window the pointer's messages speak for the mouse; the device's data is only emptied.
    if (!relativeMouse_) {
        return;
    }
    for (DWORD i = 0; i < count; ++i) {
        if (const std::optional<SInputEvent> event = mouseDataEvent(records[i].dwOfs, records[i].dwData)) {
            push(*event);
        }
    }
}

void CDirectInputSource::readJoystick()
{
    if (!joystick_) {
        return;
    }
    DIJOYSTATE state{};
    if (FAILED(joystick_->Poll()) && FAILED(joystick_->Acquire())) {
        return;
    }
    if (FAILED(joystick_->GetDeviceState(sizeof(state), &state))) {
        return;
    }
    std::uint32_t down = 0;
    for (int button = 0; button < CJoystickButtons::kCount; ++button) {
        down |= (state.rgbButtons[button] & 0x80) != 0 ? 1u << button : 0u;
    }
    joystickButtons_.update(down, events_);
}

void CDirectInputSource::followWindowMode()
{
    const bool wantRelative = window_.isFullScreen && window_.isFullScreen();
    if (wantRelative == relativeMouse_) {
        return;
    }
    relativeMouse_ = wantRelative;
    pointerInside_ = false;
    // Full screen, the cursor is the program's own and always inside, wherever the pointer was.
    if (wantRelative) {
        push({EInputEventType::PointerEntered});
    }
}

bool CDirectInputSource::pollEvent(SInputEvent& event)
{
    if (events_.empty()) {
        followWindowMode();
        readKeyboard();
        readMouse();
        readJoystick();
    }
    return events_.pop(event);
}

SCursorPosition CDirectInputSource::initialCursor() const
{
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(window_.handle, &point);
    return window_.clientToPicture(point.x, point.y);
}
