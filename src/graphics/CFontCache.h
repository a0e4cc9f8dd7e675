#pragma once
#include "graphics/CFont.h"
#include "graphics/IFontRasterizer.h"

#include <map>
#include <memory>

// Every font a screen's surfaces asked for, made once and kept with its glyphs until the
// screen goes: the shell makes the same font anew every frame, and a font costs a face
// lookup and 256 glyph renderings.
class CFontCache {
public:
    explicit CFontCache(std::unique_ptr<IFontRasterizer> rasterizer);

    // The font for the request, or nullptr when the platform has no such face.
    CFont* font(const SFontRequest& request);
    // What a drawing context uses when no font was selected into it.
    CFont* defaultFont();

private:
    std::unique_ptr<IFontRasterizer> rasterizer_;
    std::map<SFontRequest, std::unique_ptr<CFont>> fonts_;
};
