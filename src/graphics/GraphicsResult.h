#pragma once
#include <cstdint>

// Results of the graphics engine follow the display platform's convention: 0 or more is
// success, negative is failure. These are the platform results the engine passes on; callers
// compare with kSurfaceLost by value (it makes the shell reload its pictures).
namespace GraphicsResult {

constexpr std::int32_t fromCode(std::uint32_t code) { return static_cast<std::int32_t>(code); }

inline constexpr std::int32_t kOk = 0;
inline constexpr std::int32_t kSurfaceLost = fromCode(0x887601C2u);        // DDERR_SURFACELOST
inline constexpr std::int32_t kWasStillDrawing = fromCode(0x8876021Cu);    // DDERR_WASSTILLDRAWING
inline constexpr std::int32_t kNotLocked = fromCode(0x88760248u);          // DDERR_NOTLOCKED
inline constexpr std::int32_t kSurfaceBusy = fromCode(0x887601AEu);        // DDERR_SURFACEBUSY
inline constexpr std::int32_t kInvalidRect = fromCode(0x88760096u);        // DDERR_INVALIDRECT
inline constexpr std::int32_t kInvalidPixelFormat = fromCode(0x88760091u); // DDERR_INVALIDPIXELFORMAT
inline constexpr std::int32_t kInvalidObject = fromCode(0x88760082u);      // DDERR_INVALIDOBJECT
inline constexpr std::int32_t kInvalidParams = fromCode(0x80070057u);      // DDERR_INVALIDPARAMS
inline constexpr std::int32_t kOutOfMemory = fromCode(0x8007000Eu);        // DDERR_OUTOFMEMORY
inline constexpr std::int32_t kNotInitialized = fromCode(0x800401F0u);     // DDERR_NOTINITIALIZED
inline constexpr std::int32_t kGeneric = fromCode(0x80004005u);            // DDERR_GENERIC

} // namespace GraphicsResult
