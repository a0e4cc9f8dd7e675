#include "platform/sdl/SdlInputSource.h"

#include "InputEvents.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

using T = EInputEventType;

// SDL with the dummy video driver (no display needed) and one hidden window.
class SdlInputSourceTest : public ::testing::Test {
protected:
    SDL_Window* window = nullptr;
    bool fullScreen = false;
    std::unique_ptr<CSdlInputSource> source;

    void SetUp() override
    {
        ::setenv("SDL_VIDEODRIVER", "dummy", 1);
        // The hidden test window never has the focus; joystick events must come all the same.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
        window = SDL_CreateWindow("input", 0, 0, 800, 600, SDL_WINDOW_HIDDEN);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        source = std::make_unique<CSdlInputSource>(window, [this] { return fullScreen; });
        pumpAndDrain(); // whatever SDL queued while starting up
    }

    void TearDown() override
    {
        source.reset();
        SDL_DestroyWindow(window); // refuses a window that was never made
        SDL_Quit();
    }

    // Hands every queued SDL event to the source, as the shell's event pump does.
    void pump()
    {
        for (SDL_Event event; SDL_PollEvent(&event);) {
            source->handleEvent(event);
        }
    }
    Events pumpAndDrain()
    {
        pump();
        return drainEvents(*source);
    }
    // The newest event, for motion that SDL itself may have queued before.
    SInputEvent pumpAndLast()
    {
        const Events events = pumpAndDrain();
        return events.empty() ? SInputEvent{T::FocusLost} : events.back();
    }

    static void push(SDL_Event event) { SDL_PushEvent(&event); }
    Uint32 id() const { return SDL_GetWindowID(window); }

    void pushKey(SDL_Scancode scancode, bool down, bool repeat = false)
    {
        push({.key = {.type = Uint32(down ? SDL_KEYDOWN : SDL_KEYUP), .windowID = id(),
                      .state = Uint8(down ? SDL_PRESSED : SDL_RELEASED), .repeat = Uint8(repeat),
                      .keysym = {.scancode = scancode, .sym = SDL_GetKeyFromScancode(scancode)}}});
    }
    void pushText(const char* utf8)
    {
        SDL_Event event{.text = {.type = SDL_TEXTINPUT, .windowID = id()}};
        std::strncpy(event.text.text, utf8, sizeof event.text.text - 1);
        SDL_PushEvent(&event);
    }
    void pushMotion(int x, int y, int xrel = 0, int yrel = 0)
    {
        push({.motion = {.type = SDL_MOUSEMOTION, .windowID = id(), .x = x, .y = y, .xrel = xrel, .yrel = yrel}});
    }
    void pushButton(Uint8 button, bool down)
    {
        push({.button = {.type = Uint32(down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP), .windowID = id(),
                         .button = button, .state = Uint8(down ? SDL_PRESSED : SDL_RELEASED)}});
    }
    void pushWindowEvent(SDL_WindowEventID what, Uint32 windowID = 0)
    {
        push({.window = {.type = SDL_WINDOWEVENT, .windowID = windowID ? windowID : id(), .event = Uint8(what)}});
    }
};

TEST_F(SdlInputSourceTest, KeysArriveAsScanCodesWithTheirText)
{
    pushKey(SDL_SCANCODE_A, true);
    pushText("a");
    pushKey(SDL_SCANCODE_A, true, true); // auto-repeat: no new press, but text again
    pushText("a");
    pushKey(SDL_SCANCODE_A, false);
    for (SDL_Scancode key : {SDL_SCANCODE_KP_ENTER, SDL_SCANCODE_RETURN, SDL_SCANCODE_BACKSPACE}) {
        pushKey(key, true);
    }
    pushKey(SDL_SCANCODE_BACKSPACE, true, true);
    pushKey(SDL_SCANCODE_ESCAPE, true);
    pushKey(SDL_SCANCODE_RCTRL, true);
    pushKey(SDL_SCANCODE_F20, true); // no scan code of its own: not reported
    EXPECT_EQ(pumpAndDrain(), (Events{{T::KeyDown, 30, 0}, {T::Text, 0, 'a'}, {T::KeyRepeat, 30, 0},
                                      {T::Text, 0, 'a'}, {T::KeyUp, 30, 0}, keyDown(kKeypadEnterKey),
                                      keyDown(kReturnKey), keyDown(kBackspaceKey), keyRepeat(kBackspaceKey),
                                      keyDown(kEscapeKey), {T::KeyDown, 157, 0}}));

    for (const auto& [utf8, cp1252] : kTypedText) {
        pushText(utf8);
        EXPECT_EQ(pumpAndDrain(), (Events{{T::Text, 0, cp1252}})) << utf8;
    }
    pushText("\xC3\xA4\xC3\xB6"); // two characters in one event
    EXPECT_EQ(pumpAndDrain(), (Events{{T::Text, 0, 0xE4}, {T::Text, 0, 0xF6}}));
}

TEST_F(SdlInputSourceTest, InAWindowThePointerIsMappedIntoThePictureOnce)
{
    pushMotion(100, 200, 5, 5);
    pushMotion(120, 210, 20, 10); // merged: only the newest position counts
    EXPECT_EQ(pumpAndDrain(), (Events{{T::MousePosition, 0, 0, 120, 210}}));

    SDL_SetWindowSize(window, 1600, 1200);
    pushMotion(800, 600);
    pushMotion(1599, 1199);
    EXPECT_EQ(pumpAndLast(), (SInputEvent{T::MousePosition, 0, 0, 799, 599}));

    SDL_SetWindowSize(window, 1600, 600); // bars left and right
    pushMotion(400, 0);
    EXPECT_EQ(pumpAndLast(), (SInputEvent{T::MousePosition, 0, 0, 0, 0}));

    // A renderer that scales the picture turns the position into picture coordinates itself.
    SDL_SetWindowSize(window, 1600, 1200);
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    ASSERT_NE(renderer, nullptr) << SDL_GetError();
    SDL_RenderSetLogicalSize(renderer, 800, 600);
    pushMotion(800, 600);
    EXPECT_EQ(pumpAndLast(), (SInputEvent{T::MousePosition, 0, 0, 400, 300}));
    SDL_DestroyRenderer(renderer);
}

// The focus and the pointer leaving a window and coming back are the inactive and
// pointer-leaves scenarios'. Full screen from a window the pointer had left: the program's own
// cursor is back at once, and it cannot leave; another window's events are not ours. In full
// screen the mouse moves relatively, and its buttons are left, right and middle.
TEST_F(SdlInputSourceTest, InFullScreenThePointerIsAlwaysInsideAndMovesRelatively)
{
    pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST, id() + 100);
    pushWindowEvent(SDL_WINDOWEVENT_LEAVE);
    EXPECT_EQ(pumpAndDrain(), (Events{{T::PointerLeft}}));
    fullScreen = true;
    pushWindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED); // the mode follows the window's
    EXPECT_EQ(pumpAndDrain(), (Events{{T::PointerEntered}}));
    pushWindowEvent(SDL_WINDOWEVENT_LEAVE);
    EXPECT_EQ(pumpAndDrain(), Events{});

    pushMotion(0, 0, 3, -2);
    pushMotion(0, 0, 4, 1);
    for (Uint8 button : {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE, SDL_BUTTON_X1}) {
        pushButton(button, true);
    }
    pushMotion(0, 0, -7, 0);
    pushButton(SDL_BUTTON_RIGHT, false);
    EXPECT_EQ(pumpAndDrain(), (Events{{T::MouseMotion, 0, 0, 7, -1}, {T::MouseButtonDown, 0},
                                      {T::MouseButtonDown, 1}, {T::MouseButtonDown, 2},
                                      {T::MouseMotion, 0, 0, -7, 0}, {T::MouseButtonUp, 1}}));
}

TEST_F(SdlInputSourceTest, TheFirstJoysticksButtonsZeroToNineArePassedOn)
{
    const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 12, 0);
    if (device < 0) {
        GTEST_SKIP() << "no virtual joysticks in this SDL: " << SDL_GetError();
    }
    pump(); // the device arrives and the source opens it
    SDL_Joystick* stick = SDL_JoystickOpen(device);
    ASSERT_NE(stick, nullptr);
    for (int button : {0, 9, 11}) {
        SDL_JoystickSetVirtualButton(stick, button, SDL_PRESSED);
    }
    SDL_JoystickUpdate();
    SDL_JoystickSetVirtualButton(stick, 0, SDL_RELEASED);
    SDL_JoystickUpdate();
    EXPECT_EQ(pumpAndDrain(), (Events{{T::JoystickButtonDown, 0}, {T::JoystickButtonDown, 9}, {T::JoystickButtonUp, 0}}));
    SDL_JoystickClose(stick);
    SDL_JoystickDetachVirtual(device);
    // Pulled out with button 9 held: it is let go.
    EXPECT_EQ(pumpAndDrain(), (Events{{T::JoystickButtonUp, 9}}));
}

} // namespace
