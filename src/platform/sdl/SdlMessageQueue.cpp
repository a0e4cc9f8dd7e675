#include "platform/sdl/SdlMessageQueue.h"

#include <SDL.h>

namespace {

bool isReturnKey(SDL_Keycode key)
{
    return key == SDLK_RETURN || key == SDLK_KP_ENTER;
}

bool isAltEnter(const SDL_KeyboardEvent& key)
{
    return isReturnKey(key.keysym.sym) && (key.keysym.mod & KMOD_ALT) != 0;
}

} // namespace

CSdlMessageQueue::CSdlMessageQueue(EventSink inputEvents) : inputEvents_(std::move(inputEvents))
{
}

std::optional<SMessage> CSdlMessageQueue::takeMessage()
{
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (std::optional<SMessage> message = translate(event)) {
            return message;
        }
    }
    return std::nullopt;
}

void CSdlMessageQueue::waitForMessage()
{
    // With no event argument SDL waits without taking the event, as the system's WaitMessage does.
    SDL_WaitEvent(nullptr);
}

std::optional<SMessage> CSdlMessageQueue::translate(const SDL_Event& event)
{
    if (event.type == SDL_KEYDOWN && isAltEnter(event.key)) {
        // Only a fresh press is Alt+Enter. A repeat of an Enter held since before Alt came
        // belongs to the input, which must then also get its release.
        if (event.key.repeat != 0) {
            return std::nullopt;
        }
        swallowReturnRelease_ = true;
        return SMessage{EMessageKind::ToggleWindowMode, false};
    }
    if (event.type == SDL_KEYUP && swallowReturnRelease_ && isReturnKey(event.key.keysym.sym)) {
        swallowReturnRelease_ = false;
        return std::nullopt;
    }
    // The input source sees focus changes too: it forgets held keys when the focus goes.
    if (inputEvents_) {
        inputEvents_(event);
    }
    if (event.type == SDL_QUIT) {
        return SMessage{EMessageKind::Close, false};
    }
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
        return SMessage{EMessageKind::Activate, true};
    }
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        return SMessage{EMessageKind::Activate, false};
    }
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED) {
        return SMessage{EMessageKind::Repaint, false};
    }
    return std::nullopt;
}
