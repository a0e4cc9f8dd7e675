#include "graphics/CFontCache.h"

namespace {

// A drawing context without a selected font writes in this one, as the platform's stock
// system font: bold, 16 pixels high.
const SFontRequest kDefaultFont{"System", 0, 16, 700};

} // namespace

CFontCache::CFontCache(std::unique_ptr<IFontRasterizer> rasterizer) : rasterizer_(std::move(rasterizer)) {}

CFont* CFontCache::font(const SFontRequest& request)
{
    const auto known = fonts_.find(request);
    if (known != fonts_.end()) {
        return known->second.get();
    }
    // A face that cannot be opened is remembered too, so it is not looked for again and again.
    std::unique_ptr<IFontFace> face = rasterizer_ ? rasterizer_->openFont(request) : nullptr;
    std::unique_ptr<CFont> made = face ? std::make_unique<CFont>(std::move(face)) : nullptr;
    CFont* result = made.get();
    fonts_.emplace(request, std::move(made));
    return result;
}

CFont* CFontCache::defaultFont() { return font(kDefaultFont); }
