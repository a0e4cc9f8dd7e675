#include "platform/sdl/SdlAudio.h"

#include "music/BeepTone.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <climits>
#include <map>
#include <mutex>

namespace {

// About 46 ms at 44.1 kHz: no dropouts on a busy machine, and the beep still feels immediate.
constexpr int kBufferFrames = 2048;

struct SMusicFree {
    void operator()(Mix_Music* music) const { Mix_FreeMusic(music); }
};
struct SChunkFree {
    void operator()(Mix_Chunk* chunk) const { Mix_FreeChunk(chunk); }
};

} // namespace

struct CSdlAudio::SState {
    bool subsystemStarted = false;
    bool open = false;
    int rate = 0;
    int channels = 0;
    Uint16 format = 0;
    int nextId = 1;
    std::map<int, std::unique_ptr<Mix_Music, SMusicFree>> streams;
    std::unique_ptr<Mix_Chunk, SChunkFree> beepSound;
    std::mutex monitorLock;
    OutputMonitor monitor;

    static void postMix(void* self, Uint8* stream, int length)
    {
        auto* state = static_cast<SState*>(self);
        const std::lock_guard lock(state->monitorLock);
        if (state->monitor && state->format == AUDIO_S16SYS) {
            state->monitor(std::span<const std::int16_t>(reinterpret_cast<const std::int16_t*>(stream),
                                                         static_cast<std::size_t>(length) / 2));
        }
    }
};

CSdlAudio::CSdlAudio() : state_(std::make_unique<SState>()) {}

CSdlAudio::~CSdlAudio()
{
    shutDown();
    if (state_->subsystemStarted) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

void CSdlAudio::shutDown()
{
    if (!state_->open) {
        return;
    }
    Mix_SetPostMix(nullptr, nullptr);
    Mix_HaltMusic();
    Mix_HaltChannel(-1);
    state_->streams.clear();
    state_->beepSound.reset();
    Mix_CloseAudio();
    Mix_Quit();
    state_->open = false;
    state_->rate = 0;
    state_->channels = 0;
}

bool CSdlAudio::init(int mixRate, int channels)
{
    if (state_->open) {
        return true;
    }
    if (!state_->subsystemStarted) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            return false;
        }
        state_->subsystemStarted = true;
    }
    Mix_Init(MIX_INIT_OGG);
    if (Mix_OpenAudio(mixRate, AUDIO_S16SYS, 2, kBufferFrames) != 0) {
        Mix_Quit();
        return false;
    }
    int channelCount = 0;
    Mix_QuerySpec(&state_->rate, &state_->format, &channelCount);
    state_->channels = channelCount;
    Mix_AllocateChannels(channels);
    Mix_SetPostMix(&SState::postMix, state_.get());
    state_->open = true;
    return true;
}

SAudioStream CSdlAudio::openLoopingStream(std::span<const std::uint8_t> bytes)
{
    if (!state_->open || bytes.empty() || bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        return {};
    }
    SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (source == nullptr) {
        return {};
    }
    // The mixer reads the song from our memory while it plays and closes the source with it.
    Mix_Music* music = Mix_LoadMUSType_RW(source, MUS_OGG, 1);
    if (music == nullptr) {
        return {};
    }
    const int id = state_->nextId++;
    state_->streams.emplace(id, music);
    return SAudioStream{id};
}

bool CSdlAudio::play(SAudioStream stream)
{
    const auto found = state_->streams.find(stream.id);
    if (!state_->open || found == state_->streams.end()) {
        return false;
    }
    return Mix_PlayMusic(found->second.get(), -1) == 0;
}

void CSdlAudio::stopAll()
{
    if (state_->open) {
        Mix_HaltMusic();
        Mix_HaltChannel(-1);
    }
}

void CSdlAudio::close(SAudioStream stream)
{
    // Freeing a music that plays halts it first.
    state_->streams.erase(stream.id);
}

void CSdlAudio::beep()
{
    if (!state_->open) {
        return;
    }
    if (!state_->beepSound) {
        const std::vector<std::uint8_t> wave = makeBeepWave(state_->rate);
        // The mixer converts the sound into its own buffer, so the wave may go afterwards.
        state_->beepSound.reset(
            Mix_LoadWAV_RW(SDL_RWFromConstMem(wave.data(), static_cast<int>(wave.size())), 1));
    }
    if (state_->beepSound) {
        Mix_PlayChannel(-1, state_->beepSound.get(), 0);
    }
}

void CSdlAudio::setOutputMonitor(OutputMonitor monitor)
{
    const std::lock_guard lock(state_->monitorLock);
    state_->monitor = std::move(monitor);
}

int CSdlAudio::outputRate() const
{
    return state_->rate;
}

int CSdlAudio::outputChannels() const
{
    return state_->channels;
}
