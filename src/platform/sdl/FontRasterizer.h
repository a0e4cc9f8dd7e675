#pragma once
#include "graphics/IFontRasterizer.h"

#include <memory>

// Fonts from the system: fontconfig finds the file for a face name ("Arial" becomes the
// metric-compatible Liberation Sans), FreeType renders monochrome glyphs. A positive height
// is the cell height (ascent + descent), as the program's fonts are asked for. Faces it opened
// must be destroyed before it (CFontCache keeps that order).
class CFontRasterizer final : public IFontRasterizer {
public:
    CFontRasterizer();
    ~CFontRasterizer() override;
    CFontRasterizer(const CFontRasterizer&) = delete;
    CFontRasterizer& operator=(const CFontRasterizer&) = delete;

    std::unique_ptr<IFontFace> openFont(const SFontRequest& request) override;

private:
    struct SLibrary;
    std::unique_ptr<SLibrary> library_;
};
