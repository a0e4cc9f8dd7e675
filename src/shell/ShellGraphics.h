#pragma once
#include "shell/CCycleButton.h"
#include "shell/CFrameSet.h"
#include "shell/CHotspot.h"

#include "graphics/CSprite.h"
#include "graphics/CSurface.h"
#include "graphics/IDisplay.h"

#include <array>
#include <cstdint>
#include <memory>
#include <new>
#include <optional>
#include <string>

// Every picture may go wherever the platform places it best.
inline constexpr std::uint32_t kAnyMemory = memoryFor(ESurfacePlacement::Any);

// An asset object, or nothing when there is no memory for it (which the caller reports).
template <class T>
std::unique_ptr<T> makeAsset()
{
    return std::unique_ptr<T>(new (std::nothrow) T());
}

// The menu entries, in the order of their hotspots' highlight frames.
enum class EMenuEntry : std::int32_t { Start = 0, Settings = 1, HomePage = 2, Help = 3, End = 4, None = 5 };

// Every picture the shell draws, owned here and made by loadGraphics. A pointer stays empty
// only when no object could be made for it; an object whose file failed stays, empty.
struct SGraphics {
    std::unique_ptr<CSurface> background;
    std::unique_ptr<CFrameSet> dancer;
    std::unique_ptr<CSurface> door;
    std::unique_ptr<CSurface> effectSurface;
    std::unique_ptr<CFrameSet> flameLeft;
    std::unique_ptr<CFrameSet> flameRight;
    std::unique_ptr<CSurface> qboxTemplate;
    std::unique_ptr<CSurface> qbox;
    std::unique_ptr<CSurface> aboxTemplate;
    std::unique_ptr<CSurface> abox;
    // The text `abox` was last composed with. The same text is not composed again, so the box
    // keeps its table of runs for the blend of every frame.
    std::optional<std::string> aboxText;
    std::unique_ptr<CSurface> backConfig;
    std::unique_ptr<CSurface> backMain;
    std::unique_ptr<CSurface> backHelp;
    std::unique_ptr<CCycleButton> mb_back;
    std::unique_ptr<CCycleButton> mb_gender;
    std::unique_ptr<CCycleButton> mb_music;
    std::unique_ptr<CCycleButton> mb_zurueck;
    std::unique_ptr<CCycleButton> mb_einstellungen;
    std::unique_ptr<CCycleButton> mb_internet;
    std::unique_ptr<CCycleButton> mb_hilfe;
    std::unique_ptr<CCycleButton> mb_start;
    // Indexed by EMenuEntry.
    std::array<std::unique_ptr<CHotspot>, 5> hotspots;
    std::unique_ptr<CCycleButton> mb_ende;
    std::unique_ptr<CSprite> cursor;
    std::unique_ptr<CFrameSet> menuFrames;

    CHotspot* hotspot(EMenuEntry entry) { return hotspots[static_cast<std::size_t>(entry)].get(); }
};
