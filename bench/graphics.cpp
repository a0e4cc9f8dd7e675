// The graphics engine's drawing modes beside SDL2's software blitters doing the same work at
// their fastest settings (RLE-accelerated colour keys), and beside memset/memcpy of the same
// bytes as the limit. Names: Blit/<case>/<depth>/ours|sdl|limit, Frame/answer/<depth>/ours and
// Frame/compare/<depth>/ours|limit (finding that a frame is the one on show, beside a memcpy of
// the frame).

#include "graphics/CScreen.h"
#include "graphics/FrameDifference.h"
#include "graphics/NullDisplay.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kDepths[] = {15, 16, 24, 32};
constexpr std::uint32_t kKeyColour = 0x00FF00FF; // magenta, as 0x00BBGGRR

Uint32 sdlFormat(std::uint32_t depth)
{
    switch (depth) {
    case 15: return SDL_PIXELFORMAT_RGB555;
    case 16: return SDL_PIXELFORMAT_RGB565;
    case 24: return SDL_PIXELFORMAT_BGR24;
    default: return SDL_PIXELFORMAT_RGB888;
    }
}

std::size_t pixelSize(std::uint32_t depth) { return depth == 24 ? 3 : depth == 32 ? 4 : 2; }

// Which pixels of a picture are the key: the shape of what the picture shows.
using KeyShape = std::function<bool(std::int32_t x, std::int32_t y)>;

// The engine's surfaces and SDL's surfaces of one depth, holding the same pictures.
class CBenchScene {
public:
    explicit CBenchScene(std::uint32_t depth)
        : depth_(depth), screen_(std::make_unique<CNullDisplay>(), std::make_unique<CNullFontRasterizer>())
    {
        screen_.OpenFullScreen(800, 600, depth);
        key_ = screen_.ColorToPixel(kKeyColour);
        target_ = sdlSurface(800, 600);
    }
    ~CBenchScene()
    {
        for (SDL_Surface* s : sdlSurfaces_) {
            SDL_FreeSurface(s);
        }
    }
    CBenchScene(const CBenchScene&) = delete;
    CBenchScene& operator=(const CBenchScene&) = delete;

    CScreen& screen() { return screen_; }
    CSurface& back() { return *screen_.back(); }
    SDL_Surface* target() { return target_; }
    std::uint32_t key() const { return key_; }
    std::size_t bytesOf(std::int32_t width, std::int32_t height) const
    {
        return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * pixelSize(depth_);
    }

    // A picture with colourful noise where the shape is not the key, made twice: as ours and
    // as SDL's, with the same bytes.
    CSurface& picture(std::int32_t width, std::int32_t height, const KeyShape& isKey)
    {
        auto surface = std::make_unique<CSurface>();
        surface->Create(screen_, width, height, memoryFor(ESurfacePlacement::Any));
        surface->Lock();
        std::mt19937 random(static_cast<std::uint32_t>(width * 31 + height));
        for (std::int32_t y = 0; y < height; ++y) {
            for (std::int32_t x = 0; x < width; ++x) {
                std::uint32_t pixel = key_;
                while (!isKey(x, y) && pixel == key_) {
                    pixel = screen_.ColorToPixel(random() & 0xFFFFFF) | (random() & 0xFF000000u);
                }
                surface->putPixel(x, y, pixel);
            }
        }
        surface->Unlock();
        surface->SetColorKey(key_);
        pictures_.push_back(std::move(surface));
        return *pictures_.back();
    }

    SDL_Surface* sdlCopy(CSurface& picture)
    {
        SDL_Surface* copy = sdlSurface(picture.width(), picture.height());
        picture.Lock();
        const std::size_t rowBytes = bytesOf(picture.width(), 1);
        for (std::int32_t y = 0; y < picture.height(); ++y) {
            std::memcpy(static_cast<std::uint8_t*>(copy->pixels) + static_cast<std::ptrdiff_t>(y) * copy->pitch,
                        picture.pixels() + static_cast<std::ptrdiff_t>(y) * picture.pitch(), rowBytes);
        }
        picture.Unlock();
        return copy;
    }

private:
    SDL_Surface* sdlSurface(std::int32_t width, std::int32_t height)
    {
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, width, height, 0, sdlFormat(depth_));
        sdlSurfaces_.push_back(s);
        return s;
    }

    std::uint32_t depth_;
    CScreen screen_;
    std::uint32_t key_ = 0;
    SDL_Surface* target_ = nullptr;
    std::vector<std::unique_ptr<CSurface>> pictures_;
    std::vector<SDL_Surface*> sdlSurfaces_;
};

bool never(std::int32_t, std::int32_t) { return false; }

// A standing figure on the key: an ellipse with a gap between the legs.
bool figureKey(std::int32_t x, std::int32_t y)
{
    const double dx = (x - 100) / 70.0;
    const double dy = (y - 125) / 118.0;
    const bool betweenLegs = y > 170 && x > 92 && x < 108;
    return dx * dx + dy * dy > 1.0 || betweenLegs;
}

// Runs of key and picture along each row, 40 % key, as text and box edges give them.
KeyShape runsKey(std::int32_t width, std::int32_t height)
{
    auto keyed = std::make_shared<std::vector<bool>>(static_cast<std::size_t>(width * height));
    std::mt19937 random(7);
    for (std::int32_t y = 0; y < height; ++y) {
        std::int32_t x = 0;
        bool isKey = y == 0 || random() % 2 == 0; // the top-left pixel is the key, as in the box picture
        while (x < width) {
            const std::int32_t run = isKey ? 7 + static_cast<std::int32_t>(random() % 27)
                                           : 10 + static_cast<std::int32_t>(random() % 41);
            for (std::int32_t n = 0; n < run && x < width; ++n, ++x) {
                (*keyed)[static_cast<std::size_t>(y * width + x)] = isKey;
            }
            isKey = !isKey;
        }
    }
    return [keyed, width](std::int32_t x, std::int32_t y) { return (*keyed)[static_cast<std::size_t>(y * width + x)]; };
}

// A gate: key around the arch and in its window, where the glow shows through.
bool gateKey(std::int32_t x, std::int32_t y)
{
    const double dx = (x - 75) / 75.0;
    const double dy = (y - 70) / 70.0;
    const bool aboveArch = y < 70 && dx * dx + dy * dy > 1.0;
    const bool window = x >= 20 && x < 89 && y >= 40 && y < 120;
    return aboveArch || window;
}

bool cursorKey(std::int32_t x, std::int32_t y) { return x > y; }

using Body = std::function<void(benchmark::State&, CBenchScene&)>;

void registerBlit(const std::string& name, std::uint32_t depth, const Body& body)
{
    benchmark::RegisterBenchmark(name.c_str(), [depth, body](benchmark::State& state) {
        CBenchScene scene(depth);
        body(state, scene);
    });
}

void registerCase(const std::string& caseName, const Body& ours, const Body& sdl, const Body& limit)
{
    for (const std::uint32_t depth : kDepths) {
        const std::string prefix = "Blit/" + caseName + "/" + std::to_string(depth) + "/";
        registerBlit(prefix + "ours", depth, ours);
        registerBlit(prefix + "sdl", depth, sdl);
        registerBlit(prefix + "limit", depth, limit);
    }
}

Body memcpyLimit(std::int32_t width, std::int32_t height)
{
    return [width, height](benchmark::State& state, CBenchScene& scene) {
        std::vector<std::uint8_t> from(scene.bytesOf(width, height), 0x5A);
        std::vector<std::uint8_t> to(from.size());
        for (auto _ : state) {
            std::memcpy(to.data(), from.data(), from.size());
            benchmark::DoNotOptimize(to.data());
            benchmark::ClobberMemory();
        }
    };
}

void registerFill()
{
    registerCase(
        "Fill800x600",
        [](benchmark::State& state, CBenchScene& scene) {
            for (auto _ : state) {
                scene.back().Fill(0x1234);
                benchmark::ClobberMemory();
            }
        },
        [](benchmark::State& state, CBenchScene& scene) {
            for (auto _ : state) {
                SDL_FillRect(scene.target(), nullptr, 0x1234);
                benchmark::ClobberMemory();
            }
        },
        [](benchmark::State& state, CBenchScene& scene) {
            std::vector<std::uint8_t> to(scene.bytesOf(800, 600));
            for (auto _ : state) {
                std::memset(to.data(), 0x34, to.size());
                benchmark::DoNotOptimize(to.data());
                benchmark::ClobberMemory();
            }
        });
}

void registerOpaque()
{
    registerCase(
        "Opaque800x600",
        [](benchmark::State& state, CBenchScene& scene) {
            CSurface& background = scene.picture(800, 600, never);
            for (auto _ : state) {
                background.Opaque(scene.back(), 0, 0);
                benchmark::ClobberMemory();
            }
        },
        [](benchmark::State& state, CBenchScene& scene) {
            SDL_Surface* background = scene.sdlCopy(scene.picture(800, 600, never));
            SDL_SetSurfaceBlendMode(background, SDL_BLENDMODE_NONE);
            for (auto _ : state) {
                SDL_BlitSurface(background, nullptr, scene.target(), nullptr);
                benchmark::ClobberMemory();
            }
        },
        memcpyLimit(800, 600));
}

void registerKeyed()
{
    registerCase(
        "Keyed200x250",
        [](benchmark::State& state, CBenchScene& scene) {
            CSurface& dancer = scene.picture(200, 250, figureKey);
            for (auto _ : state) {
                dancer.Keyed(scene.back(), 200, 335);
                benchmark::ClobberMemory();
            }
        },
        [](benchmark::State& state, CBenchScene& scene) {
            SDL_Surface* dancer = scene.sdlCopy(scene.picture(200, 250, figureKey));
            SDL_SetColorKey(dancer, SDL_RLEACCEL, scene.key());
            SDL_Rect at{200, 335, 200, 250};
            for (auto _ : state) {
                SDL_BlitSurface(dancer, nullptr, scene.target(), &at);
                benchmark::ClobberMemory();
            }
        },
        memcpyLimit(200, 250));
}

void registerKeyedBlend()
{
    registerCase(
        "KeyedBlend500x100",
        [](benchmark::State& state, CBenchScene& scene) {
            CSurface& box = scene.picture(500, 100, runsKey(500, 100));
            for (auto _ : state) {
                box.KeyedBlend(scene.back(), 141, 505, std::nullopt, 128);
                benchmark::ClobberMemory();
            }
        },
        [](benchmark::State& state, CBenchScene& scene) {
            SDL_Surface* box = scene.sdlCopy(scene.picture(500, 100, runsKey(500, 100)));
            SDL_SetColorKey(box, SDL_RLEACCEL, scene.key());
            SDL_SetSurfaceBlendMode(box, SDL_BLENDMODE_BLEND);
            SDL_SetSurfaceAlphaMod(box, 128);
            SDL_Rect at{141, 505, 500, 100};
            for (auto _ : state) {
                SDL_BlitSurface(box, nullptr, scene.target(), &at);
                benchmark::ClobberMemory();
            }
        },
        memcpyLimit(500, 100));
}

void registerKeyedScaled()
{
    registerCase(
        "KeyedScaled500x100",
        [](benchmark::State& state, CBenchScene& scene) {
            CSurface& box = scene.picture(500, 100, runsKey(500, 100));
            for (auto _ : state) {
                box.KeyedScaled(scene.back(), 141, 505, std::nullopt, 0.5f);
                benchmark::ClobberMemory();
            }
        },
        [](benchmark::State& state, CBenchScene& scene) {
            // SDL scales through its general blitter; RLE acceleration measured no faster here.
            SDL_Surface* box = scene.sdlCopy(scene.picture(500, 100, runsKey(500, 100)));
            SDL_SetColorKey(box, SDL_TRUE, scene.key());
            SDL_Rect at{266, 530, 250, 50};
            for (auto _ : state) {
                SDL_BlitScaled(box, nullptr, scene.target(), &at);
                benchmark::ClobberMemory();
            }
        },
        memcpyLimit(250, 50));
}

// One frame of the answer phase as the shell composes it, without the present.
void registerAnswerFrame()
{
    for (const std::uint32_t depth : kDepths) {
        registerBlit("Frame/answer/" + std::to_string(depth) + "/ours", depth,
                     [](benchmark::State& state, CBenchScene& scene) {
                         CSurface& background = scene.picture(800, 600, never);
                         CSurface& effect = scene.picture(69, 80, never);
                         CSurface& gate = scene.picture(150, 190, gateKey);
                         CSurface& flameLeft = scene.picture(40, 64, never);
                         CSurface& flameRight = scene.picture(40, 64, never);
                         CSurface& dancer = scene.picture(200, 250, figureKey);
                         CSurface& box = scene.picture(500, 100, runsKey(500, 100));
                         CSurface& cursor = scene.picture(20, 23, cursorKey);
                         CSurface& back = scene.back();
                         for (auto _ : state) {
                             back.Fill(0);
                             background.Opaque(back, 0, 0);
                             effect.Opaque(back, 412, 314);
                             gate.Keyed(back, 412, 314);
                             flameLeft.Opaque(back, 369, 352);
                             flameRight.Opaque(back, 496, 352);
                             dancer.Keyed(back, 200, 335);
                             box.SetColorKeyFromCorner();
                             box.KeyedBlend(back, 141, 505, std::nullopt, 128);
                             cursor.Keyed(back, 300, 200);
                             benchmark::ClobberMemory();
                         }
                     });
    }
}

// An idle frame: the back buffer holds the same picture as the frame on show, so the whole of
// both is read. It has to stay far below a frame's 16.7 ms.
void registerFrameComparison()
{
    for (const std::uint32_t depth : kDepths) {
        const std::string prefix = "Frame/compare/" + std::to_string(depth) + "/";
        registerBlit(prefix + "ours", depth, [](benchmark::State& state, CBenchScene& scene) {
            CSurface& background = scene.picture(800, 600, never);
            background.Opaque(*scene.screen().front(), 0, 0);
            background.Opaque(scene.back(), 0, 0);
            const CSurfaceMemory& shown = *scene.screen().front()->memory();
            const CSurfaceMemory& next = *scene.back().memory();
            for (auto _ : state) {
                benchmark::DoNotOptimize(changedArea(next, shown));
            }
        });
        registerBlit(prefix + "limit", depth, memcpyLimit(800, 600));
    }
}

// Google Benchmark's own registration idiom: the table is filled before main runs.
[[maybe_unused]] const bool kRegistered = [] {
    registerFill();
    registerOpaque();
    registerKeyed();
    registerKeyedBlend();
    registerKeyedScaled();
    registerAnswerFrame();
    registerFrameComparison();
    return true;
}();

} // namespace
