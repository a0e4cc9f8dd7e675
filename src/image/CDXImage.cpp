#include "image/CDXImage.h"

#include "image/CDXImageFormat.h"

#include <algorithm>

namespace {

// Files shorter than this cannot hold the Targa footer the first test looks for.
constexpr std::size_t kMinDetectableBytes = 18;

// Runs `use` with a decoder of the type's class, made for this one call; `Result` carries the
// refusal of a type number no decoder has.
template <class Result, class Use>
Result withDecoder(ImageType type, Use use)
{
    switch (type) {
    case ImageType::BMP: return use(CDXImageFormatBMP{});
    case ImageType::PSD: return use(CDXImageFormatPSD{});
    case ImageType::TGA: return use(CDXImageFormatTGA{});
    case ImageType::PCX: return use(CDXImageFormatPCX{});
    case ImageType::JPEG: return use(CDXImageFormatJPEG{});
    case ImageType::None: break;
    }
    return Result::refused("unknown image type " + std::to_string(int(type)));
}

const char kUnsupported[] = "not a supported picture (BMP, PSD, TGA with footer, PCX, JFIF JPEG)";

} // namespace

ImageType CDXImage::DetectType(std::span<const std::uint8_t> data)
{
    if (data.size() < kMinDetectableBytes)
        return ImageType::None;
    const auto header = data.first(std::min(data.size(), CDXImageFormat::kDetectHeaderBytes));
    const auto tail = data.last(std::min(data.size(), CDXImageFormat::kDetectTailBytes));
    // Targa comes first: its only signature is the footer, and a bitmap file may end with one.
    if (CDXImageFormatTGA{}.Detect(header, tail))
        return ImageType::TGA;
    if (CDXImageFormatBMP{}.Detect(header, tail))
        return ImageType::BMP;
    if (CDXImageFormatPSD{}.Detect(header, tail))
        return ImageType::PSD;
    if (CDXImageFormatPCX{}.Detect(header, tail))
        return ImageType::PCX;
    if (CDXImageFormatJPEG{}.Detect(header, tail))
        return ImageType::JPEG;
    return ImageType::None;
}

ImageType CDXImage::ChooseType(std::span<const std::uint8_t> data, ImageType forcedType) const
{
    const ImageType type = forcedType == ImageType::None ? DetectType(data) : forcedType;
    if (type == ImageType::None && debugOutput_)
        debugOutput_("Error: CDXImage - Unsupported Image type.");
    return type;
}

CDecodeResult CDXImage::LoadFromMemory(std::span<const std::uint8_t> data, ImageType forcedType) const
{
    const ImageType type = ChooseType(data, forcedType);
    if (type == ImageType::None)
        return CDecodeResult::refused(kUnsupported);
    return withDecoder<CDecodeResult>(type, [&](const CDXImageFormat& decoder) { return decoder.Decode(data); });
}

CDecodeResult CDXImage::LoadFromFile(const std::filesystem::path& fileName, ImageType forcedType) const
{
    std::string why;
    std::optional<std::vector<std::uint8_t>> bytes = CDXFileReader::ReadAll(fileName, &why);
    if (!bytes)
        return CDecodeResult::refused(std::move(why));
    CDecodeResult result = LoadFromMemory(*bytes, forcedType);
    if (result.dib && result.dib->borrowsRows())
        result.dib->adoptSource(std::move(*bytes));
    return result;
}

CDrawResult CDXImage::LoadIntoSurface(std::span<const std::uint8_t> data, const SurfaceProvider& provide,
                                      ImageType forcedType) const
{
    const ImageType type = ChooseType(data, forcedType);
    if (type == ImageType::None)
        return CDrawResult::refused(kUnsupported);
    return withDecoder<CDrawResult>(type, [&](const CDXImageFormat& decoder) { return decoder.DecodeInto(data, provide); });
}

CDrawResult CDXImage::LoadFileIntoSurface(const std::filesystem::path& fileName, const SurfaceProvider& provide,
                                          ImageType forcedType) const
{
    std::string why;
    const std::optional<std::vector<std::uint8_t>> bytes = CDXFileReader::ReadAll(fileName, &why);
    if (!bytes)
        return CDrawResult::refused(std::move(why));
    return LoadIntoSurface(*bytes, provide, forcedType);
}

CDrawResult DrawDib(const CDib& dib, const SurfaceProvider& provide)
{
    const std::optional<SurfaceTarget> target = provide(dib.width(), dib.height());
    if (!target)
        return CDrawResult::refused("no surface for the picture");
    if (!ConvertDib(dib, target->format, target->pixels, target->pitch))
        return CDrawResult::refused("surface too small for the picture");
    return {true, {}};
}

CDrawResult CDXImageFormat::DecodeInto(std::span<const std::uint8_t> data, const SurfaceProvider& provide) const
{
    const CDecodeResult decoded = Decode(data);
    if (!decoded)
        return CDrawResult::refused(decoded.reason);
    return DrawDib(*decoded.dib, provide);
}
