#pragma once
#include "graphics/IFontRasterizer.h"

#include <memory>

// Fonts from GDI: CreateFontA as the program has always asked for them (ANSI character set,
// no antialiasing, variable pitch), each glyph drawn with TextOutA into a DIB section and
// read back as ink, its advance measured with GetTextExtentPoint32A, so measured and drawn
// text agree. A positive height is the cell height, a negative one the em, as in GDI.
class CGdiFontRasterizer final : public IFontRasterizer {
public:
    std::unique_ptr<IFontFace> openFont(const SFontRequest& request) override;
};
