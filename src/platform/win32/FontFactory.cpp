#include "platform/SystemServices.h"

#include "platform/win32/GdiFontRasterizer.h"

// On Windows the fonts are GDI's.
std::unique_ptr<IFontRasterizer> makeFontRasterizer()
{
    return std::make_unique<CGdiFontRasterizer>();
}
