#include "platform/sdl/SdlMessageQueue.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

// SDL's event queue alone (no display needed), fed with synthetic events.
class SdlMessageQueueTest : public ::testing::Test {
protected:
    std::vector<SDL_Event> forwarded;
    std::unique_ptr<CSdlMessageQueue> queue;

    void SetUp() override
    {
        ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        queue = std::make_unique<CSdlMessageQueue>([this](const SDL_Event& event) { forwarded.push_back(event); });
    }

    void TearDown() override
    {
        queue.reset();
        SDL_Quit();
    }

    static void pushReturn(bool down, Uint16 modifiers, bool repeat = false)
    {
        SDL_Event event{};
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.key.repeat = repeat ? 1 : 0;
        event.key.keysym.scancode = SDL_SCANCODE_RETURN;
        event.key.keysym.sym = SDLK_RETURN;
        event.key.keysym.mod = modifiers;
        SDL_PushEvent(&event);
    }

    static void pushWindowEvent(SDL_WindowEventID what)
    {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.event = what;
        SDL_PushEvent(&event);
    }

    int forwardedReturnKeys(Uint32 type) const
    {
        int count = 0;
        for (const SDL_Event& event : forwarded) {
            count += event.type == type && event.key.keysym.sym == SDLK_RETURN ? 1 : 0;
        }
        return count;
    }
};

} // namespace

TEST_F(SdlMessageQueueTest, FocusAndCloseBecomeMessagesAndTheInputSeesThemToo)
{
    pushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);

    std::optional<SMessage> message = queue->takeMessage();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->kind, EMessageKind::Activate);
    EXPECT_TRUE(message->active);
    message = queue->takeMessage();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->kind, EMessageKind::Activate);
    EXPECT_FALSE(message->active);
    message = queue->takeMessage();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->kind, EMessageKind::Close);
    EXPECT_FALSE(queue->takeMessage());
    EXPECT_EQ(forwarded.size(), 3u);

    pushWindowEvent(SDL_WINDOWEVENT_EXPOSED);
    message = queue->takeMessage();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->kind, EMessageKind::Repaint);
}

TEST_F(SdlMessageQueueTest, AltEnterTogglesAndNeitherHalfReachesTheInput)
{
    pushReturn(true, KMOD_LALT);
    pushReturn(true, KMOD_LALT, true);
    pushReturn(false, KMOD_NONE);

    const std::optional<SMessage> message = queue->takeMessage();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->kind, EMessageKind::ToggleWindowMode);
    EXPECT_FALSE(queue->takeMessage());
    EXPECT_EQ(forwardedReturnKeys(SDL_KEYDOWN), 0);
    EXPECT_EQ(forwardedReturnKeys(SDL_KEYUP), 0);
}

// Enter held down (a question just submitted) and Alt pressed after it: the keyboard repeats
// Enter with Alt held. That is no Alt+Enter, and Enter's release must reach the input, or
// Enter stays held there and dismisses every later answer at once.
TEST_F(SdlMessageQueueTest, EnterHeldBeforeAltKeepsItsReleaseForTheInput)
{
    pushReturn(true, KMOD_NONE);
    pushReturn(true, KMOD_LALT, true);
    pushReturn(true, KMOD_LALT, true);
    pushReturn(false, KMOD_LALT);

    EXPECT_FALSE(queue->takeMessage());
    EXPECT_EQ(forwardedReturnKeys(SDL_KEYDOWN), 1);
    EXPECT_EQ(forwardedReturnKeys(SDL_KEYUP), 1);

    // The next Alt+Enter still toggles, and its halves stay away from the input.
    pushReturn(true, KMOD_LALT);
    pushReturn(false, KMOD_NONE);
    const std::optional<SMessage> message = queue->takeMessage();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->kind, EMessageKind::ToggleWindowMode);
    EXPECT_FALSE(queue->takeMessage());
    EXPECT_EQ(forwardedReturnKeys(SDL_KEYDOWN), 1);
    EXPECT_EQ(forwardedReturnKeys(SDL_KEYUP), 1);
}
