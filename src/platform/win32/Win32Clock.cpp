#include "platform/win32/Win32Clock.h"

#include "platform/win32/Win32Api.h"

CWin32Clock::CWin32Clock()
{
    // Fixed at boot, so one reading serves the whole run.
    LARGE_INTEGER perSecond{};
    QueryPerformanceFrequency(&perSecond);
    frequency_ = perSecond.QuadPart > 0 ? perSecond.QuadPart : 1;
}

std::int64_t CWin32Clock::counter() const
{
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}
