#include "image/CDXImage.h"

#include "image/CDXImageFormat.h"

#include <algorithm>

namespace {

// Files shorter than this cannot hold the Targa footer the first test looks for.
constexpr std::size_t kMinDetectableBytes = 18;

// Runs `use` with a decoder of the type's class, made for this one call; `Result` carries the
// refusal of a type number no decoder has.
template <class Result, class Use>
Result withDecoder(EImageType type, Use use)
{
    switch (type) {
    case EImageType::BMP: return use(CDXImageFormatBMP{});
    case EImageType::PSD: return use(CDXImageFormatPSD{});
    case EImageType::TGA: return use(CDXImageFormatTGA{});
    case EImageType::PCX: return use(CDXImageFormatPCX{});
    case EImageType::JPEG: return use(CDXImageFormatJPEG{});
    case EImageType::None: break;
    }
    return Result::refused("unknown image type " + std::to_string(int(type)));
}

const char kUnsupported[] = "not a supported picture (BMP, PSD, TGA with footer, PCX, JFIF JPEG)";

} // namespace

EImageType CDXImage::DetectType(std::span<const std::uint8_t> data)
{
    if (data.size() < kMinDetectableBytes)
        return EImageType::None;
    const auto header = data.first(std::min(data.size(), CDXImageFormat::kDetectHeaderBytes));
    const auto tail = data.last(std::min(data.size(), CDXImageFormat::kDetectTailBytes));
    // Targa comes first: its only signature is the footer, and a bitmap file may end with one.
    if (CDXImageFormatTGA{}.Detect(header, tail))
        return EImageType::TGA;
    if (CDXImageFormatBMP{}.Detect(header, tail))
        return EImageType::BMP;
    if (CDXImageFormatPSD{}.Detect(header, tail))
        return EImageType::PSD;
    if (CDXImageFormatPCX{}.Detect(header, tail))
        return EImageType::PCX;
    if (CDXImageFormatJPEG{}.Detect(header, tail))
        return EImageType::JPEG;
    return EImageType::None;
}

EImageType CDXImage::ChooseType(std::span<const std::uint8_t> data, EImageType forcedType) const
{
    const EImageType type = forcedType == EImageType::None ? DetectType(data) : forcedType;
    if (type == EImageType::None && debugOutput_)
        debugOutput_("Error: CDXImage - Unsupported Image type.");
    return type;
}

SDecodeResult CDXImage::LoadFromMemory(std::span<const std::uint8_t> data, EImageType forcedType) const
{
    const EImageType type = ChooseType(data, forcedType);
    if (type == EImageType::None)
        return SDecodeResult::refused(kUnsupported);
    return withDecoder<SDecodeResult>(type, [&](const CDXImageFormat& decoder) { return decoder.Decode(data); });
}

SDecodeResult CDXImage::LoadFromFile(const std::filesystem::path& fileName, EImageType forcedType) const
{
    std::string why;
    std::optional<std::vector<std::uint8_t>> bytes = CDXFileReader::ReadAll(fileName, &why);
    if (!bytes)
        return SDecodeResult::refused(std::move(why));
    SDecodeResult result = LoadFromMemory(*bytes, forcedType);
    if (result.dib && result.dib->borrowsRows())
        result.dib->adoptSource(std::move(*bytes));
    return result;
}

SDrawResult CDXImage::LoadIntoSurface(std::span<const std::uint8_t> data, const SurfaceProvider& provide,
                                      EImageType forcedType) const
{
    const EImageType type = ChooseType(data, forcedType);
    if (type == EImageType::None)
        return SDrawResult::refused(kUnsupported);
    return withDecoder<SDrawResult>(type, [&](const CDXImageFormat& decoder) { return decoder.DecodeInto(data, provide); });
}

SDrawResult CDXImage::LoadFileIntoSurface(const std::filesystem::path& fileName, const SurfaceProvider& provide,
                                          EImageType forcedType) const
{
    std::string why;
    const std::optional<std::vector<std::uint8_t>> bytes = CDXFileReader::ReadAll(fileName, &why);
    if (!bytes)
        return SDrawResult::refused(std::move(why));
    return LoadIntoSurface(*bytes, provide, forcedType);
}

SDrawResult DrawDib(const CDib& dib, const SurfaceProvider& provide)
{
    const std::optional<SSurfaceTarget> target = provide(dib.width(), dib.height());
    if (!target)
        return SDrawResult::refused("no surface for the picture");
    if (!ConvertDib(dib, target->format, target->pixels, target->pitch))
        return SDrawResult::refused("surface too small for the picture");
    return {true, {}};
}

SDrawResult CDXImageFormat::DecodeInto(std::span<const std::uint8_t> data, const SurfaceProvider& provide) const
{
    const SDecodeResult decoded = Decode(data);
    if (!decoded)
        return SDrawResult::refused(decoded.reason);
    return DrawDib(*decoded.dib, provide);
}
