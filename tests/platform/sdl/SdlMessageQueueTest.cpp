#include "platform/sdl/SdlMessageQueue.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

using Kinds = std::vector<std::pair<EMessageKind, bool>>;

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
        SDL_Event event{.key = {.type = Uint32(down ? SDL_KEYDOWN : SDL_KEYUP),
                                .state = Uint8(down ? SDL_PRESSED : SDL_RELEASED), .repeat = Uint8(repeat),
                                .keysym = {.scancode = SDL_SCANCODE_RETURN, .sym = SDLK_RETURN, .mod = modifiers}}};
        SDL_PushEvent(&event);
    }
    // The messages taken, each with its `active` flag.
    Kinds messages()
    {
        Kinds kinds;
        while (const std::optional<SMessage> message = queue->takeMessage()) {
            kinds.emplace_back(message->kind, message->active);
        }
        return kinds;
    }
    // The Return key's presses and releases the input saw (only keys are pushed where it is asked).
    std::pair<int, int> forwardedReturns() const
    {
        std::pair<int, int> count;
        for (const SDL_Event& event : forwarded) {
            ++(event.type == SDL_KEYDOWN ? count.first : count.second);
        }
        return count;
    }
};

} // namespace

// Focus and exposure are the inactive and repaint scenarios'; the window's close is not.
TEST_F(SdlMessageQueueTest, CloseBecomesAMessageAndTheInputSeesItToo)
{
    SDL_Event quit{.type = SDL_QUIT};
    SDL_PushEvent(&quit);
    EXPECT_EQ(messages(), (Kinds{{EMessageKind::Close, false}}));
    EXPECT_EQ(forwarded.size(), 1u);
}

// Alt+Enter toggles and neither half reaches the input. With Enter held down (a question just
// submitted) and Alt pressed after it, the keyboard repeats Enter with Alt held: that is no
// Alt+Enter, and Enter's release must reach the input, or Enter stays held there and dismisses
// every later answer at once.
TEST_F(SdlMessageQueueTest, AltEnterTogglesButEnterHeldBeforeAltKeepsItsReleaseForTheInput)
{
    const Kinds toggle{{EMessageKind::ToggleWindowMode, false}};
    pushReturn(true, KMOD_LALT);
    pushReturn(true, KMOD_LALT, true);
    pushReturn(false, KMOD_NONE);
    EXPECT_EQ(messages(), toggle);
    EXPECT_EQ(forwardedReturns(), (std::pair{0, 0}));

    pushReturn(true, KMOD_NONE);
    pushReturn(true, KMOD_LALT, true);
    pushReturn(true, KMOD_LALT, true);
    pushReturn(false, KMOD_LALT);
    EXPECT_EQ(messages(), Kinds{});
    EXPECT_EQ(forwardedReturns(), (std::pair{1, 1}));

    pushReturn(true, KMOD_LALT);
    pushReturn(false, KMOD_NONE);
    EXPECT_EQ(messages(), toggle);
    EXPECT_EQ(forwardedReturns(), (std::pair{1, 1}));
}
