#pragma once
#include "graphics/CSurfaceMemory.h"
#include "graphics/Rect.h"

#include <cstdint>

class CKeySpans;

// The 512-bit blend over a table at 15, 16 and 32 bits: every chunk of 64 bytes is loaded,
// worked out and stored whole under its mask of pixels that are not the key, so the time does
// not depend on how the runs fall. Built where the compiler targets AVX-512; callers run it
// only when the processor has it and the table is split for the blend.
namespace KeyedChunks {

// The constant-alpha blend over a table split for the blend, where this build has the loops
// and they take the format and alpha; false, drawing nothing, where they do not.
bool blend(const CKeySpans& spans, ESurfaceFormat format, const SRect& source, CSurfaceMemory& to, std::int32_t x,
           std::int32_t y, std::int32_t alpha);

} // namespace KeyedChunks
