#pragma once
#include "graphics/PixelFormat.h"
#include "graphics/Rect.h"

#include <cstdint>

// Where a surface is placed: the low 8 bits of a memory value say 0 video memory, 1 system
// memory, anything else wherever the platform chooses.
enum class ESurfacePlacement : std::uint32_t { Video = 0, System = 1, Any = 2 };

constexpr ESurfacePlacement placementFromMemory(std::uint32_t memory)
{
    switch (memory & 0xFFu) {
    case 0: return ESurfacePlacement::Video;
    case 1: return ESurfacePlacement::System;
    default: return ESurfacePlacement::Any;
    }
}

// The memory value that asks for `placement`.
constexpr std::uint32_t memoryFor(ESurfacePlacement placement)
{
    return static_cast<std::uint32_t>(placement);
}

// The platform's display device as CScreen drives it. Surfaces live in plain memory; the
// display shows the back buffer's pixels and decides what it accepts. Every call that can be
// refused returns 0 on success or a negative platform result.
class IDisplay {
public:
    virtual ~IDisplay() = default;

    // False when the platform has no display at all (the screen then refuses to open).
    virtual bool hasDevice() const = 0;

    // Makes the program's window the one thing on the screen (or keeps the window as it is
    // when the user asked for one); leaveFullScreen gives the desktop back.
    virtual std::int32_t enterFullScreen() = 0;
    virtual void leaveFullScreen() = 0;

    // The size and pixel format that frames will be presented in.
    virtual std::int32_t setMode(std::int32_t width, std::int32_t height, ESurfaceFormat format) = 0;

    // Makes what shows the frames, in video memory or, as the second try, system memory.
    virtual std::int32_t createPrimary(ESurfacePlacement placement) = 0;
    // Makes what receives the back buffer's pixels; after createPrimary.
    virtual std::int32_t createBackBuffer() = 0;
    // Undoes both; harmless when nothing was made.
    virtual void releasePrimary() = 0;

    // Shows one frame of the mode's size and format: rows of `pitch` bytes from `pixels`.
    // Waits for the display's retrace, or paces to 60 Hz where that wait is not real.
    virtual std::int32_t present(const std::uint8_t* pixels, std::int32_t pitch) = 0;
    // The same frame, of which only `changed` differs from the frame presented last; an empty
    // rectangle means nothing changed: the display then only waits as a present would, so
    // the frame loop keeps its pace. A display may always show the whole frame instead.
    virtual std::int32_t presentRegion(const std::uint8_t* pixels, std::int32_t pitch, const SRect& changed)
    {
        static_cast<void>(changed);
        return present(pixels, pitch);
    }

    // Whether an off-screen surface of this size may be made in this placement.
    virtual std::int32_t createSurface(std::int32_t width, std::int32_t height, ESurfacePlacement placement) = 0;

    // Counts the times the platform took the memory of every surface away. A surface made or
    // restored at another count is lost. Stays 0 where surfaces are never lost.
    virtual std::uint32_t lossCount() const = 0;
    // Gives a lost surface its memory back (its picture is gone).
    virtual std::int32_t restoreSurface() = 0;

    // False where the retrace wait is faked (virtual or dummy displays).
    virtual bool vsyncIsReal() const = 0;
};
