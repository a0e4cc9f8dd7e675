#pragma once
// The one way platform files take in the system headers: without the rarely used parts and
// without the min/max macros that would break std::min and std::max.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
