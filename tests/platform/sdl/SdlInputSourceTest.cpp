#include "platform/sdl/SdlInputSource.h"

#include "input/CInput.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

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
        pump(); // whatever SDL queued while starting up
        drain();
    }

    void TearDown() override
    {
        source.reset();
        if (window) {
            SDL_DestroyWindow(window);
        }
        SDL_Quit();
    }

    // Hands every queued SDL event to the source, as the shell's event pump does.
    void pump()
    {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            source->handleEvent(event);
        }
    }

    std::vector<SInputEvent> drain()
    {
        std::vector<SInputEvent> events;
        SInputEvent event;
        while (source->pollEvent(event)) {
            events.push_back(event);
        }
        return events;
    }

    std::vector<SInputEvent> pumpAndDrain()
    {
        pump();
        return drain();
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

    void pushMotion(int x, int y, int xrel, int yrel)
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

bool sameEvent(const SInputEvent& a, const SInputEvent& b)
{
    return a.type == b.type && a.code == b.code && a.character == b.character && a.x == b.x && a.y == b.y;
}

::testing::AssertionResult eventsAre(const std::vector<SInputEvent>& got, const std::vector<SInputEvent>& want)
{
    if (got.size() != want.size()) {
        return ::testing::AssertionFailure() << got.size() << " events, expected " << want.size();
    }
    for (std::size_t i = 0; i < got.size(); ++i) {
        if (!sameEvent(got[i], want[i])) {
            return ::testing::AssertionFailure()
                   << "event " << i << ": type " << int(got[i].type) << " code " << int(got[i].code)
                   << " char " << int(got[i].character) << " at " << got[i].x << "," << got[i].y;
        }
    }
    return ::testing::AssertionSuccess();
}

TEST_F(SdlInputSourceTest, KeysArriveAsScanCodesWithTheirText)
{
    pushKey(SDL_SCANCODE_A, true);
    pushText("a");
    pushKey(SDL_SCANCODE_A, true, true); // auto-repeat: no new press, but text again
    pushText("a");
    pushKey(SDL_SCANCODE_A, false);
    pushKey(SDL_SCANCODE_KP_ENTER, true);
    pushKey(SDL_SCANCODE_RETURN, true);
    pushKey(SDL_SCANCODE_BACKSPACE, true);
    pushKey(SDL_SCANCODE_BACKSPACE, true, true);
    pushKey(SDL_SCANCODE_ESCAPE, true);
    pushKey(SDL_SCANCODE_RCTRL, true);
    pushKey(SDL_SCANCODE_F20, true); // no scan code of its own: not reported
    EXPECT_TRUE(eventsAre(pumpAndDrain(), {{EInputEventType::KeyDown, 30, 0},
                                           {EInputEventType::Text, 0, 'a'},
                                           {EInputEventType::KeyRepeat, 30, 0},
                                           {EInputEventType::Text, 0, 'a'},
                                           {EInputEventType::KeyUp, 30, 0},
                                           {EInputEventType::KeyDown, 156, 13},
                                           {EInputEventType::KeyDown, 28, 13},
                                           {EInputEventType::KeyDown, 14, 8},
                                           {EInputEventType::KeyRepeat, 14, 8},
                                           {EInputEventType::KeyDown, 1, 27},
                                           {EInputEventType::KeyDown, 157, 0}}));
}

TEST_F(SdlInputSourceTest, TextIsConvertedToWindows1252)
{
    pushText("\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\xC3\x84\xC3\x96\xC3\x9C"); // ä ö ü ß Ä Ö Ü
    pushText("\xC3\xA9\xE2\x82\xAC\xC5\x82");                             // é € ł
    std::vector<std::uint8_t> characters;
    for (const SInputEvent& event : pumpAndDrain()) {
        ASSERT_EQ(event.type, EInputEventType::Text);
        characters.push_back(event.character);
    }
    EXPECT_EQ(characters, (std::vector<std::uint8_t>{0xE4, 0xF6, 0xFC, 0xDF, 0xC4, 0xD6, 0xDC, 0xE9,
                                                     0x80, 0x00}));
}

TEST_F(SdlInputSourceTest, AGermanKeyPressReachesTheInputObjectAsItsCharacter)
{
    CInput input;
    ASSERT_EQ(input.Open(*source), 0);
    pushKey(SDL_SCANCODE_APOSTROPHE, true); // the key right of Ö: Ä on a German keyboard
    pushText("\xC3\xA4");
    pump();
    input.Update();
    EXPECT_EQ(input.FindNewKeyDown(true), 40);
    EXPECT_EQ(input.ScanCodeToChar(40), 0xE4);
    EXPECT_EQ(input.GetKeyState('\''), CInput::kPressed);
    pushKey(SDL_SCANCODE_APOSTROPHE, false);
    pushKey(SDL_SCANCODE_RETURN, true);
    pushKey(SDL_SCANCODE_RETURN, false); // pressed and let go within one frame
    pump();
    input.Update();
    EXPECT_EQ(input.GetKeyState('\''), CInput::kReleased);
    EXPECT_EQ(input.GetKeyState(13), CInput::kPressed);
    EXPECT_EQ(input.FindNewKeyDown(true), 28);
    EXPECT_EQ(input.ScanCodeToChar(28), 13);
}

TEST_F(SdlInputSourceTest, InAWindowThePointerIsMappedIntoThePicture)
{
    pushMotion(100, 200, 5, 5);
    pushMotion(120, 210, 20, 10); // merged: only the newest position counts
    EXPECT_TRUE(eventsAre(pumpAndDrain(), {{EInputEventType::MousePosition, 0, 0, 120, 210}}));

    SDL_SetWindowSize(window, 1600, 1200);
    pushMotion(800, 600, 0, 0);
    pushMotion(1599, 1199, 0, 0);
    auto events = pumpAndDrain();
    ASSERT_FALSE(events.empty());
    EXPECT_TRUE(eventsAre({events.back()}, {{EInputEventType::MousePosition, 0, 0, 799, 599}}));

    SDL_SetWindowSize(window, 1600, 600); // bars left and right
    pushMotion(400, 0, 0, 0);
    events = pumpAndDrain();
    ASSERT_FALSE(events.empty());
    EXPECT_TRUE(eventsAre({events.back()}, {{EInputEventType::MousePosition, 0, 0, 0, 0}}));
}

TEST_F(SdlInputSourceTest, ARendererThatScalesThePictureIsNotScaledTwice)
{
    SDL_SetWindowSize(window, 1600, 1200);
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    ASSERT_NE(renderer, nullptr) << SDL_GetError();
    SDL_RenderSetLogicalSize(renderer, 800, 600);
    pushMotion(800, 600, 0, 0); // the renderer turns this into picture coordinates itself
    const auto events = pumpAndDrain();
    SDL_DestroyRenderer(renderer);
    ASSERT_FALSE(events.empty());
    EXPECT_TRUE(eventsAre({events.back()}, {{EInputEventType::MousePosition, 0, 0, 400, 300}}));
}

TEST_F(SdlInputSourceTest, InFullScreenTheMouseMovesRelatively)
{
    fullScreen = true;
    pushWindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED); // the mode follows the window's
    pumpAndDrain();
    pushMotion(0, 0, 3, -2);
    pushMotion(0, 0, 4, 1);
    pushButton(SDL_BUTTON_LEFT, true);
    pushMotion(0, 0, -7, 0);
    EXPECT_TRUE(eventsAre(pumpAndDrain(), {{EInputEventType::MouseMotion, 0, 0, 7, -1},
                                           {EInputEventType::MouseButtonDown, 0},
                                           {EInputEventType::MouseMotion, 0, 0, -7, 0}}));
}

TEST_F(SdlInputSourceTest, MouseButtonsAreNumberedLeftRightMiddle)
{
    pushButton(SDL_BUTTON_LEFT, true);
    pushButton(SDL_BUTTON_RIGHT, true);
    pushButton(SDL_BUTTON_MIDDLE, true);
    pushButton(SDL_BUTTON_X1, true);
    pushButton(SDL_BUTTON_RIGHT, false);
    EXPECT_TRUE(eventsAre(pumpAndDrain(), {{EInputEventType::MouseButtonDown, 0},
                                           {EInputEventType::MouseButtonDown, 1},
                                           {EInputEventType::MouseButtonDown, 2},
                                           {EInputEventType::MouseButtonUp, 1}}));
}

TEST_F(SdlInputSourceTest, FocusChangesOfTheWindowArePassedOn)
{
    pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    pushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST, id() + 100); // another window's
    EXPECT_TRUE(eventsAre(pumpAndDrain(), {{EInputEventType::FocusLost}, {EInputEventType::FocusGained}}));
}

TEST_F(SdlInputSourceTest, ThePointerLeavingAWindowAndComingBackIsPassedOnWithWhereItCameIn)
{
    SDL_WarpMouseInWindow(window, 300, 200);
    pumpAndDrain();
    pushWindowEvent(SDL_WINDOWEVENT_LEAVE);
    pushWindowEvent(SDL_WINDOWEVENT_ENTER);
    EXPECT_TRUE(eventsAre(pumpAndDrain(), {{EInputEventType::PointerLeft},
                                           {EInputEventType::PointerEntered},
                                           {EInputEventType::MousePosition, 0, 0, 300, 200}}));

    // Full screen from a window the pointer had left: the program's own cursor is back at once,
    // and it cannot leave.
    pushWindowEvent(SDL_WINDOWEVENT_LEAVE);
    pumpAndDrain();
    fullScreen = true;
    pushWindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED);
    EXPECT_TRUE(eventsAre(pumpAndDrain(), {{EInputEventType::PointerEntered}}));
    pushWindowEvent(SDL_WINDOWEVENT_LEAVE);
    EXPECT_TRUE(eventsAre(pumpAndDrain(), {}));
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
    SDL_JoystickSetVirtualButton(stick, 0, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(stick, 9, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(stick, 11, SDL_PRESSED);
    SDL_JoystickUpdate();
    SDL_JoystickSetVirtualButton(stick, 0, SDL_RELEASED);
    SDL_JoystickUpdate();
    EXPECT_TRUE(eventsAre(pumpAndDrain(), {{EInputEventType::JoystickButtonDown, 0},
                                           {EInputEventType::JoystickButtonDown, 9},
                                           {EInputEventType::JoystickButtonUp, 0}}));
    SDL_JoystickClose(stick);
    SDL_JoystickDetachVirtual(device);
    // Pulled out with button 9 held: it is let go.
    EXPECT_TRUE(eventsAre(pumpAndDrain(), {{EInputEventType::JoystickButtonUp, 9}}));
}

} // namespace
