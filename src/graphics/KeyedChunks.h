#pragma once
#include "graphics/CSurfaceMemory.h"
#include "graphics/Rect.h"

#include <cstdint>

class CKeySpans;

// The 512-bit blend over a table at 15 and 16 bits: every chunk of 32 pixels is loaded,
// worked out and stored whole under its mask of pixels that are not the key, so the time does
// not depend on how the runs fall. Built where the compiler targets AVX-512; callers run it
// only when the processor has it and the table is split for the blend.
namespace KeyedChunks {

// Whether this build has the loops.
bool built();

// The constant-alpha blend, for alpha 1..255 and a table split for the blend.
void blend(const CKeySpans& spans, ESurfaceFormat format, const SRect& source, CSurfaceMemory& to, std::int32_t x,
           std::int32_t y, std::int32_t alpha);

} // namespace KeyedChunks
