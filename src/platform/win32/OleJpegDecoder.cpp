#include "platform/win32/OleJpegDecoder.h"

#include "image/JpegStructure.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/Win32Api.h"

#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstring>

namespace {

// The picture service needs COM on this thread; a thread that has it already keeps it.
class CComScope {
public:
    CComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~CComScope()
    {
        if (SUCCEEDED(result_)) {
            CoUninitialize();
        }
    }
    CComScope(const CComScope&) = delete;
    CComScope& operator=(const CComScope&) = delete;

private:
    HRESULT result_;
};

class CMemoryDc {
public:
    CMemoryDc() : dc_(CreateCompatibleDC(nullptr)) {}
    ~CMemoryDc()
    {
        if (dc_) {
            DeleteDC(dc_);
        }
    }
    CMemoryDc(const CMemoryDc&) = delete;
    CMemoryDc& operator=(const CMemoryDc&) = delete;

    HDC get() const { return dc_; }

private:
    HDC dc_;
};

class CDibSection {
public:
    CDibSection(HDC dc, std::int32_t width, std::int32_t height)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    }
    ~CDibSection()
    {
        if (bitmap_) {
            DeleteObject(bitmap_);
        }
    }
    CDibSection(const CDibSection&) = delete;
    CDibSection& operator=(const CDibSection&) = delete;

    HBITMAP get() const { return bitmap_; }
    const std::uint8_t* bits() const { return static_cast<const std::uint8_t*>(bits_); }

private:
    HBITMAP bitmap_ = nullptr;
    void* bits_ = nullptr;
};

// The file's bytes in a movable global block, as a stream that frees the block when released.
bool openStream(std::span<const std::uint8_t> data, CComPtr<IStream>& stream)
{
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, data.size());
    if (!block) {
        return false;
    }
    void* bytes = GlobalLock(block);
    if (!bytes) {
        GlobalFree(block);
        return false;
    }
    std::memcpy(bytes, data.data(), data.size());
    GlobalUnlock(block);
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, stream.put())) || !stream.get()) {
        GlobalFree(block);
        return false;
    }
    return true;
}

// HIMETRIC units (0.01 mm) to pixels of the display.
std::int32_t toPixels(OLE_XSIZE_HIMETRIC himetric, int capability)
{
    const HDC display = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    const int perInch = display ? GetDeviceCaps(display, capability) : 96;
    if (display) {
        DeleteDC(display);
    }
    return MulDiv(himetric, perInch, 2540);
}

SDecodeResult render(IPicture& picture, OLE_XSIZE_HIMETRIC himetricWidth, OLE_YSIZE_HIMETRIC himetricHeight,
                     std::int32_t width, std::int32_t height)
{
    const CMemoryDc dc;
    const CDibSection target(dc.get(), width, height);
    std::optional<CDib> dib = CDib::allocate(width, height, 32, true);
    if (!dc.get() || !target.get() || !dib) {
        return SDecodeResult::refused("JPEG: out of memory");
    }
    const HGDIOBJ previous = SelectObject(dc.get(), target.get());
    const RECT bounds{0, 0, width, height};
    // The negative source height draws the picture upright.
    const HRESULT drawn = picture.Render(dc.get(), 0, 0, width, height, 0, himetricHeight, himetricWidth,
                                         -himetricHeight, &bounds);
    GdiFlush();
    SelectObject(dc.get(), previous);
    if (FAILED(drawn)) {
        return SDecodeResult::refused("JPEG: the picture service could not draw the picture");
    }
    const std::size_t rowBytes = std::size_t(width) * 4;
    for (std::int32_t y = 0; y < height; ++y) {
        std::memcpy(dib->writableRow(y), target.bits() + rowBytes * std::size_t(y), rowBytes);
    }
    return {std::move(dib), {}};
}

} // namespace

SDecodeResult decodeJpegWithOle(std::span<const std::uint8_t> data)
{
    const SJpegStructure structure = checkJpegStructure(data);
    if (!structure.refusal.empty()) {
        return SDecodeResult::refused(structure.refusal);
    }
    const CComScope com;
    CComPtr<IPicture> picture;
    {
        CComPtr<IStream> stream;
        if (!openStream(data, stream)) {
            return SDecodeResult::refused("JPEG: out of memory");
        }
        if (FAILED(OleLoadPicture(stream.get(), LONG(data.size()), FALSE, IID_IPicture,
                                  picture.putVoid())) ||
            !picture.get()) {
            return SDecodeResult::refused("JPEG: the picture service refused the file");
        }
    }
    OLE_XSIZE_HIMETRIC himetricWidth = 0;
    OLE_YSIZE_HIMETRIC himetricHeight = 0;
    picture->get_Width(&himetricWidth);
    picture->get_Height(&himetricHeight);
    const std::int32_t width = toPixels(himetricWidth, LOGPIXELSX);
    const std::int32_t height = toPixels(himetricHeight, LOGPIXELSY);
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) {
        return SDecodeResult::refused("JPEG: the picture service gave an unusable size");
    }
    return render(*picture.get(), himetricWidth, himetricHeight, width, height);
}
