#pragma once
#include "graphics/CSurfaceMemory.h"
#include "graphics/Rect.h"

// The smallest rectangle outside which two frames of one size and format hold the same bytes;
// an empty rectangle when they are identical. Comparing costs a fraction of sending a frame
// to the display, so a frame that shows nothing new is found before it is sent.
SRect changedArea(const CSurfaceMemory& now, const CSurfaceMemory& before);
