#include "platform/win32/GdiCanvas.h"

#include <algorithm>
#include <cstring>

// The context, its bitmap and its font, given back in the order GDI wants: the originals
// selected back in before anything is deleted.
struct CGdiCanvas::SObjects {
    HFONT font = nullptr;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ originalBitmap = nullptr;
    HGDIOBJ originalFont = nullptr;

    SObjects() = default;
    SObjects(const SObjects&) = delete;
    SObjects& operator=(const SObjects&) = delete;
    ~SObjects()
    {
        if (dc) {
            if (originalFont) {
                SelectObject(dc, originalFont);
            }
            if (originalBitmap) {
                SelectObject(dc, originalBitmap);
            }
            DeleteDC(dc);
        }
        if (bitmap) {
            DeleteObject(bitmap);
        }
        if (font) {
            DeleteObject(font);
        }
    }
};

std::optional<TEXTMETRICA> fontMetrics(HFONT font)
{
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) {
        return std::nullopt;
    }
    HGDIOBJ original = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    const bool known = original && GetTextMetricsA(dc, &metrics);
    if (original) {
        SelectObject(dc, original);
    }
    DeleteDC(dc);
    return known ? std::optional<TEXTMETRICA>(metrics) : std::nullopt;
}

std::optional<CGdiCanvas> CGdiCanvas::create(HFONT font, std::int32_t width, std::int32_t height)
{
    auto objects = std::make_unique<SObjects>();
    objects->font = font;
    objects->dc = CreateCompatibleDC(nullptr);
    if (!objects->dc || width <= 0 || height <= 0) {
        return std::nullopt;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    objects->bitmap = CreateDIBSection(objects->dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!objects->bitmap || !bits) {
        return std::nullopt;
    }
    objects->originalBitmap = SelectObject(objects->dc, objects->bitmap);
    objects->originalFont = SelectObject(objects->dc, font);
    if (!objects->originalBitmap || !objects->originalFont) {
        return std::nullopt;
    }
    SetBkMode(objects->dc, TRANSPARENT);
    SetTextColor(objects->dc, RGB(255, 255, 255));
    SetTextAlign(objects->dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    return CGdiCanvas(std::move(objects), static_cast<std::uint32_t*>(bits), width, height);
}

CGdiCanvas::CGdiCanvas(std::unique_ptr<SObjects> objects, std::uint32_t* bits, std::int32_t width, std::int32_t height)
    : objects_(std::move(objects)), bits_(bits), width_(width), height_(height)
{
}

CGdiCanvas::~CGdiCanvas() = default;
CGdiCanvas::CGdiCanvas(CGdiCanvas&&) noexcept = default;
CGdiCanvas& CGdiCanvas::operator=(CGdiCanvas&&) noexcept = default;

std::int32_t CGdiCanvas::measure(std::string_view text) const
{
    SIZE size{};
    if (!GetTextExtentPoint32A(objects_->dc, text.data(), static_cast<int>(text.size()), &size)) {
        return 0;
    }
    return size.cx;
}

void CGdiCanvas::clear()
{
    GdiFlush();
    std::memset(bits_, 0, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4);
}

bool CGdiCanvas::draw(std::int32_t x, std::int32_t y, std::string_view text)
{
    const bool drawn = TextOutA(objects_->dc, x, y, text.data(), static_cast<int>(text.size())) != FALSE;
    GdiFlush();
    return drawn;
}

std::optional<SInkBounds> CGdiCanvas::inkBounds() const
{
    SInkBounds bounds{width_, height_, 0, 0};
    for (std::int32_t y = 0; y < height_; ++y) {
        for (std::int32_t x = 0; x < width_; ++x) {
            if (hasInk(x, y)) {
                bounds.left = std::min(bounds.left, x);
                bounds.right = std::max(bounds.right, x + 1);
                bounds.top = std::min(bounds.top, y);
                bounds.bottom = std::max(bounds.bottom, y + 1);
            }
        }
    }
    if (bounds.left >= bounds.right) {
        return std::nullopt;
    }
    return bounds;
}

std::vector<std::uint8_t> CGdiCanvas::ink(const SInkBounds& bounds) const
{
    std::vector<std::uint8_t> result;
    result.reserve(static_cast<std::size_t>(bounds.right - bounds.left) * static_cast<std::size_t>(bounds.bottom - bounds.top));
    for (std::int32_t y = bounds.top; y < bounds.bottom; ++y) {
        for (std::int32_t x = bounds.left; x < bounds.right; ++x) {
            result.push_back(hasInk(x, y) ? 1 : 0);
        }
    }
    return result;
}
