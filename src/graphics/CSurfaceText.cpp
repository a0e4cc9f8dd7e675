#include "graphics/CFont.h"
#include "graphics/CScreen.h"
#include "graphics/CSurface.h"

std::int32_t CSurface::SetFont(std::string_view faceName, std::int32_t width, std::int32_t height,
                               std::int32_t weight)
{
    // The screen keeps every font it made, so dropping ours never leaves a drawing context
    // with a dangling selection; deleting therefore cannot fail here.
    font_ = nullptr;
    if (!owner_) {
        return -2;
    }
    font_ = owner_->fonts().font(SFontRequest{std::string(faceName), width, height, weight});
    return font_ ? 0 : -2;
}

std::int32_t CSurface::SelectFont()
{
    CDeviceContext* dc = GetDC();
    if (!dc) {
        return 0;
    }
    const bool selected = font_ != nullptr;
    if (selected) {
        dc->selectFont(font_);
    }
    ReleaseDC();
    return selected ? 0 : -1;
}

CFont* CSurface::contextFont()
{
    if (dc_ && dc_->selectedFont()) {
        return dc_->selectedFont();
    }
    return owner_ ? owner_->fonts().defaultFont() : nullptr;
}

std::int32_t CSurface::WriteText(std::int32_t x, std::int32_t y, std::uint32_t color, std::string_view text)
{
    if (text.empty()) {
        return 0;
    }
    CDeviceContext* dc = GetDC();
    if (!dc) {
        return 0;
    }
    CFont* font = contextFont();
    if (font) {
        font->draw(*memory_, x, y, owner_->ColorToPixel(color, this), text);
        contentsChanged();
    }
    ReleaseDC();
    return font ? 0 : -1;
}

STextExtent CSurface::GetTextExtent(std::string_view text)
{
    STextExtent extent;
    if (!GetDC()) {
        return extent;
    }
    if (CFont* font = contextFont()) {
        extent = STextExtent{font->measure(text), font->cellHeight()};
    }
    ReleaseDC();
    return extent;
}
