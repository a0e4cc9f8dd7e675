#pragma once
// The Windows headers as the platform layer includes them: lean, and without the min/max macros
// that would break the standard library's names.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
