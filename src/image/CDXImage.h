#pragma once
// Picture loading: recognises BMP, PSD, TGA (with the version-2 footer), PCX and JFIF JPEG
// files by their content and decodes them into a device-independent bitmap (CDib).
//
// How to use:
//     CDXImage loader;
//     SDecodeResult picture = loader.LoadFromFile("gfx/tor.bmp");   // or LoadFromMemory(bytes)
//     if (!picture) { log(picture.reason); return; }
//     const CDib& dib = *picture.dib;               // dib.width(), dib.height()
//     ConvertDib(dib, ESurfaceFormat::Bgrx32, pixels, pitch);   // see image/DibConversion.h
//
// Every byte of a file is distrusted: a picture that is damaged, truncated, of an
// unsupported variant or larger than kMaxImageSide on a side is refused with a short
// English reason, never read or written out of bounds.
//
// To fill a surface without keeping the bitmap, LoadIntoSurface / LoadFileIntoSurface ask for
// the surface's pixels once the size is known and draw straight into them (JPEG rows are
// converted while still in the cache), which is the faster way:
//     loader.LoadFileIntoSurface("gfx/back.jpg", [&](std::int32_t w, std::int32_t h) {
//         return std::optional<SSurfaceTarget>(SSurfaceTarget{pixelsFor(w, h), pitch, format});
//     });
//
// LoadFromMemory may give a bitmap whose rows stay inside `data` (uncompressed BMP files are
// used in place, without a copy): keep the bytes alive while the bitmap is used, or hand them
// over with CDib::adoptSource. LoadFromFile does that itself.

#include "image/CDib.h"
#include "image/DibConversion.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The supported picture types; None is "detect" as an argument and "unknown" as a result.
enum class EImageType : int { None = 0, BMP = 1, PSD = 2, TGA = 3, PCX = 4, JPEG = 5 };

// A decoded picture, or the reason why there is none.
struct SDecodeResult {
    std::optional<CDib> dib;
    std::string reason;

    explicit operator bool() const { return dib.has_value(); }
    static SDecodeResult refused(std::string why) { return {std::nullopt, std::move(why)}; }
};

// A picture drawn into a surface, or the reason why not.
struct SDrawResult {
    bool drawn = false;
    std::string reason;

    explicit operator bool() const { return drawn; }
    static SDrawResult refused(std::string why) { return {false, std::move(why)}; }
};

// Where a picture is drawn: the caller's pixels, `pitch` bytes from one row to the next, top
// row first, in `format`.
struct SSurfaceTarget {
    std::span<std::uint8_t> pixels;
    std::size_t pitch = 0;
    ESurfaceFormat format = ESurfaceFormat::Bgrx32;
};

// Told the picture's width and height, gives the pixels to draw into, or nothing to stop.
using SurfaceProvider = std::function<std::optional<SSurfaceTarget>(std::int32_t width, std::int32_t height)>;

// Asks for the surface of the bitmap's size and converts the bitmap into it.
SDrawResult DrawDib(const CDib& dib, const SurfaceProvider& provide);

// Reads one whole file; the separate first step of LoadFromFile.
class CDXFileReader {
public:
    CDXFileReader() = default;
    CDXFileReader(const CDXFileReader&) = delete;
    CDXFileReader& operator=(const CDXFileReader&) = delete;
    ~CDXFileReader() { Close(); }

    // 0 when the file is open for reading, -1 when it cannot be opened.
    int Open(const std::filesystem::path& fileName);
    // The file's size in bytes; 0 when no file is open.
    std::uint64_t Size() const;
    // The number of bytes read into `buffer`, 0 when reading fails.
    std::size_t Read(std::span<std::uint8_t> buffer);
    void Close();

    // The whole file, or nothing when it cannot be opened or read in full; then `reason`, when
    // given, says why.
    static std::optional<std::vector<std::uint8_t>> ReadAll(const std::filesystem::path& fileName,
                                                            std::string* reason = nullptr);

private:
    std::FILE* file_ = nullptr;
};

// The loader. It holds nothing between calls; one object may serve any number of loads.
class CDXImage {
public:
    // Receives the text the loader writes for the debugger (an unrecognised picture).
    using DebugOutput = std::function<void(std::string_view)>;

    explicit CDXImage(DebugOutput debugOutput = {}) : debugOutput_(std::move(debugOutput)) {}

    // Reads the file, then LoadFromMemory; the result owns the file's bytes if it needs them.
    SDecodeResult LoadFromFile(const std::filesystem::path& fileName,
                               EImageType forcedType = EImageType::None) const;
    // Decodes `data` as `forcedType`, or as the type DetectType finds when it is None.
    SDecodeResult LoadFromMemory(std::span<const std::uint8_t> data,
                                 EImageType forcedType = EImageType::None) const;
    // Decodes `data` and draws it into the pixels `provide` gives for its size (called at most
    // once). A picture found damaged after that may have been drawn in part: on a refusal the
    // pixels hold nothing worth showing.
    SDrawResult LoadIntoSurface(std::span<const std::uint8_t> data, const SurfaceProvider& provide,
                                EImageType forcedType = EImageType::None) const;
    SDrawResult LoadFileIntoSurface(const std::filesystem::path& fileName, const SurfaceProvider& provide,
                                    EImageType forcedType = EImageType::None) const;
    // The type of the bytes by content, tried in the order TGA, BMP, PSD, PCX, JPEG;
    // None when nothing matches or the data is shorter than 18 bytes.
    static EImageType DetectType(std::span<const std::uint8_t> data);

private:
    // The type to decode as; None after writing the debugger text when nothing matches.
    EImageType ChooseType(std::span<const std::uint8_t> data, EImageType forcedType) const;

    DebugOutput debugOutput_;
};
