#include "platform/sdl/SdlInputSource.h"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <string_view>

#include "common/Cp1252.h"
#include "input/ScanCodeTable.h"

namespace {

constexpr int kPictureWidth = 800;
constexpr int kPictureHeight = 600;
constexpr int kJoystickButtons = 10;

// The character the old keyboard translation gave for keys that SDL sends no text for.
std::uint8_t controlCharacter(SDL_Scancode scancode)
{
    switch (scancode) {
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_KP_ENTER: return 13;
    case SDL_SCANCODE_BACKSPACE: return 8;
    case SDL_SCANCODE_ESCAPE: return 27;
    case SDL_SCANCODE_TAB: return 9;
    default: return 0;
    }
}

// SDL's buttons are left 1, middle 2, right 3; ours are left 0, right 1, middle 2.
int mouseButtonIndex(std::uint8_t sdlButton)
{
    switch (sdlButton) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    default: return -1;
    }
}

} // namespace

CSdlInputSource::CSdlInputSource(SDL_Window* window, std::function<bool()> isFullScreen)
    : window_(window), isFullScreen_(std::move(isFullScreen))
{
    joystickSubsystem_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
    if (joystickSubsystem_ && SDL_NumJoysticks() > 0) {
        openJoystick(0);
    }
    SDL_StartTextInput();
    followWindowMode();
}

CSdlInputSource::~CSdlInputSource()
{
    closeJoystick();
    if (relativeMouse_) {
        SDL_SetRelativeMouseMode(SDL_FALSE);
    }
    if (joystickSubsystem_) {
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
}

void CSdlInputSource::handleEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: handleKey(event); break;
    case SDL_TEXTINPUT: handleText(event.text.text); break;
    case SDL_MOUSEMOTION: handleMouseMotion(event); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: handleMouseButton(event); break;
    case SDL_JOYDEVICEADDED:
    case SDL_JOYDEVICEREMOVED: handleJoystickDevice(event); break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP: handleJoystickButton(event); break;
    case SDL_WINDOWEVENT: handleWindowEvent(event); break;
    default: break;
    }
}

bool CSdlInputSource::pollEvent(SInputEvent& event)
{
    if (events_.empty()) {
        return false;
    }
    event = events_.front();
    events_.pop_front();
    return true;
}

SCursorPosition CSdlInputSource::initialCursor() const
{
    int x = 0;
    int y = 0;
    SDL_GetMouseState(&x, &y);
    return windowToPicture(x, y, false);
}

void CSdlInputSource::handleKey(const SDL_Event& event)
{
    const std::uint8_t scanCode = hidUsageToScanCode(event.key.keysym.scancode);
    if (scanCode == 0) {
        return;
    }
    const std::uint8_t character = controlCharacter(event.key.keysym.scancode);
    if (event.type == SDL_KEYUP) {
        push(EInputEventType::KeyUp, scanCode);
    } else if (event.key.repeat != 0) {
        // A held key is one press, however often the keyboard repeats it; the repeat itself
        // still edits (a held Backspace goes on deleting). Repeated characters come as text.
        push(EInputEventType::KeyRepeat, scanCode, character);
    } else {
        push(EInputEventType::KeyDown, scanCode, character);
    }
}

void CSdlInputSource::handleText(const char* utf8)
{
    std::string_view text(utf8);
    while (!text.empty()) {
        const std::optional<char32_t> codePoint = takeUtf8CodePoint(text);
        const std::optional<unsigned char> byte = codePoint ? unicodeToCp1252(*codePoint) : std::nullopt;
        push(EInputEventType::Text, 0, byte.value_or(0));
    }
}

void CSdlInputSource::handleMouseMotion(const SDL_Event& event)
{
    followWindowMode();
    if (relativeMouse_) {
        push(EInputEventType::MouseMotion, 0, 0, event.motion.xrel, event.motion.yrel);
        return;
    }
    const SCursorPosition position = windowToPicture(event.motion.x, event.motion.y, true);
    push(EInputEventType::MousePosition, 0, 0, position.x, position.y);
}

void CSdlInputSource::handleMouseButton(const SDL_Event& event)
{
    const int button = mouseButtonIndex(event.button.button);
    if (button < 0) {
        return;
    }
    push(event.type == SDL_MOUSEBUTTONDOWN ? EInputEventType::MouseButtonDown : EInputEventType::MouseButtonUp,
         static_cast<std::uint8_t>(button));
}

void CSdlInputSource::handleJoystickDevice(const SDL_Event& event)
{
    if (event.type == SDL_JOYDEVICEADDED && joystickId_ < 0) {
        openJoystick(event.jdevice.which);
    } else if (event.type == SDL_JOYDEVICEREMOVED && event.jdevice.which == joystickId_) {
        closeJoystick();
    }
}

void CSdlInputSource::handleJoystickButton(const SDL_Event& event)
{
    if (event.jbutton.which != joystickId_ || event.jbutton.button >= kJoystickButtons) {
        return;
    }
    const auto bit = static_cast<std::uint16_t>(1u << event.jbutton.button);
    const bool down = event.type == SDL_JOYBUTTONDOWN;
    joystickButtonsDown_ = down ? (joystickButtonsDown_ | bit) : (joystickButtonsDown_ & ~bit);
    push(down ? EInputEventType::JoystickButtonDown : EInputEventType::JoystickButtonUp,
         event.jbutton.button);
}

void CSdlInputSource::handleWindowEvent(const SDL_Event& event)
{
    if (window_ && event.window.windowID != SDL_GetWindowID(window_)) {
        return;
    }
    if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        push(EInputEventType::FocusLost);
    } else if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
        push(EInputEventType::FocusGained);
    }
    followWindowMode();
    // In full screen the mouse only moves the program's own cursor and never leaves.
    if (event.window.event == SDL_WINDOWEVENT_LEAVE && !relativeMouse_) {
        push(EInputEventType::PointerLeft);
    } else if (event.window.event == SDL_WINDOWEVENT_ENTER) {
        push(EInputEventType::PointerEntered);
        if (!relativeMouse_) {
            // Where it came in: the motion events may have been merged away or not come yet.
            int x = 0;
            int y = 0;
            SDL_GetMouseState(&x, &y);
            const SCursorPosition position = windowToPicture(x, y, false);
            push(EInputEventType::MousePosition, 0, 0, position.x, position.y);
        }
    }
}

void CSdlInputSource::openJoystick(int deviceIndex)
{
    if (SDL_Joystick* joystick = SDL_JoystickOpen(deviceIndex)) {
        joystickId_ = SDL_JoystickInstanceID(joystick);
    }
}

void CSdlInputSource::closeJoystick()
{
    if (joystickId_ < 0) {
        return;
    }
    if (SDL_Joystick* joystick = SDL_JoystickFromInstanceID(joystickId_)) {
        SDL_JoystickClose(joystick);
    }
    joystickId_ = -1;
    // A joystick pulled out with buttons held lets go of them.
    for (int button = 0; button < kJoystickButtons; ++button) {
        if (joystickButtonsDown_ & (1u << button)) {
            push(EInputEventType::JoystickButtonUp, static_cast<std::uint8_t>(button));
        }
    }
    joystickButtonsDown_ = 0;
}

void CSdlInputSource::followWindowMode()
{
    const bool wantRelative = isFullScreen_ && isFullScreen_();
    if (wantRelative == relativeMouse_) {
        return;
    }
    SDL_SetRelativeMouseMode(wantRelative ? SDL_TRUE : SDL_FALSE);
    relativeMouse_ = wantRelative;
    // In full screen the cursor is the program's own and always inside, wherever the system
    // pointer was when the window left.
    if (wantRelative) {
        push(EInputEventType::PointerEntered);
    }
}

SCursorPosition CSdlInputSource::windowToPicture(int x, int y, bool alreadyLogical) const
{
    SDL_Renderer* renderer = window_ ? SDL_GetRenderer(window_) : nullptr;
    int logicalWidth = 0;
    int logicalHeight = 0;
    if (renderer) {
        SDL_RenderGetLogicalSize(renderer, &logicalWidth, &logicalHeight);
    }
    if (logicalWidth > 0) {
        // The renderer scales the picture and already gives event positions in its terms.
        if (alreadyLogical) {
            return {x, y};
        }
        float logicalX = 0;
        float logicalY = 0;
        SDL_RenderWindowToLogical(renderer, x, y, &logicalX, &logicalY);
        return {static_cast<std::int32_t>(std::floor(logicalX)), static_cast<std::int32_t>(std::floor(logicalY))};
    }
    int width = 0;
    int height = 0;
    if (window_) {
        SDL_GetWindowSize(window_, &width, &height);
    }
    if (width <= 0 || height <= 0) {
        return {x, y};
    }
    // Letterboxed as the picture is shown: scaled to fit, centred.
    const double scale = std::min(static_cast<double>(width) / kPictureWidth,
                                  static_cast<double>(height) / kPictureHeight);
    const double left = (width - kPictureWidth * scale) / 2;
    const double top = (height - kPictureHeight * scale) / 2;
    return {static_cast<std::int32_t>(std::floor((x - left) / scale)),
            static_cast<std::int32_t>(std::floor((y - top) / scale))};
}

void CSdlInputSource::push(EInputEventType type, std::uint8_t code, std::uint8_t character,
                           std::int32_t x, std::int32_t y)
{
    // Motion is merged into the motion before it, so a long frame (or a program that is not
    // looking) keeps a short queue; keys and buttons come at the pace of a hand.
    if (!events_.empty() && events_.back().type == type) {
        SInputEvent& last = events_.back();
        if (type == EInputEventType::MouseMotion) {
            last.x = static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{last.x} + x, INT32_MIN, INT32_MAX));
            last.y = static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{last.y} + y, INT32_MIN, INT32_MAX));
            return;
        }
        if (type == EInputEventType::MousePosition) {
            last.x = x;
            last.y = y;
            return;
        }
    }
    events_.push_back({type, code, character, x, y});
}
