#pragma once
#include "platform/ShellPlatform.h"

#include <functional>

union SDL_Event;

// SDL's event queue as the window's message queue: focus changes become activation messages,
// a quit request (window closed, SIGTERM, SIGINT) becomes Close, Alt+Enter becomes the window
// mode toggle, and every other event is handed to the input source as it is taken.
class CSdlMessageQueue final : public IMessageQueue {
public:
    using EventSink = std::function<void(const SDL_Event&)>;

    explicit CSdlMessageQueue(EventSink inputEvents);

    std::optional<SMessage> takeMessage() override;
    void waitForMessage() override;

private:
    std::optional<SMessage> translate(const SDL_Event& event);

    EventSink inputEvents_;
    // Alt+Enter is taken whole: its Return release must not reach the question either.
    bool swallowReturnRelease_ = false;
};
