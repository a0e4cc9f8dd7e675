#include "image/CDXImage.h"

#include "image/CDXImageFormat.h"

#include <algorithm>

namespace {

// Files shorter than this cannot hold the Targa footer the first test looks for.
constexpr std::size_t kMinDetectableBytes = 18;

CDecodeResult decodeAs(ImageType type, std::span<const std::uint8_t> data)
{
    switch (type) {
    case ImageType::BMP: return CDXImageFormatBMP{}.Decode(data);
    case ImageType::PSD: return CDXImageFormatPSD{}.Decode(data);
    case ImageType::TGA: return CDXImageFormatTGA{}.Decode(data);
    case ImageType::PCX: return CDXImageFormatPCX{}.Decode(data);
    case ImageType::JPEG: return CDXImageFormatJPEG{}.Decode(data);
    case ImageType::None: break;
    }
    return CDecodeResult::refused("unknown image type " + std::to_string(int(type)));
}

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

CDecodeResult CDXImage::LoadFromMemory(std::span<const std::uint8_t> data, ImageType forcedType) const
{
    const ImageType type = forcedType == ImageType::None ? DetectType(data) : forcedType;
    if (type == ImageType::None) {
        if (debugOutput_)
            debugOutput_("Error: CDXImage - Unsupported Image type.");
        return CDecodeResult::refused("not a supported picture (BMP, PSD, TGA with footer, PCX, JFIF JPEG)");
    }
    return decodeAs(type, data);
}

CDecodeResult CDXImage::LoadFromFile(const std::filesystem::path& fileName, ImageType forcedType) const
{
    std::optional<std::vector<std::uint8_t>> bytes = CDXFileReader::ReadAll(fileName);
    if (!bytes)
        return CDecodeResult::refused("cannot read the file");
    CDecodeResult result = LoadFromMemory(*bytes, forcedType);
    if (result.dib && result.dib->borrowsRows())
        result.dib->adoptSource(std::move(*bytes));
    return result;
}
