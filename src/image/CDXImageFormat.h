#pragma once
#include "image/CDXImage.h"

#include <cstdint>
#include <span>

// One decoder per picture type. Detect looks at the first bytes of a file (up to 256) and its
// last bytes (up to 64); Decode turns the whole file into a bitmap or refuses it; DecodeInto
// draws it into a surface, by default by decoding the bitmap and converting it.
class CDXImageFormat {
public:
    static constexpr std::size_t kDetectHeaderBytes = 256;
    static constexpr std::size_t kDetectTailBytes = 64;

    virtual ~CDXImageFormat() = default;
    virtual bool Detect(std::span<const std::uint8_t> header,
                        std::span<const std::uint8_t> tail) const = 0;
    virtual SDecodeResult Decode(std::span<const std::uint8_t> data) const = 0;
    virtual SDrawResult DecodeInto(std::span<const std::uint8_t> data, const SurfaceProvider& provide) const;
};


class CDXImageFormatBMP final : public CDXImageFormat {
public:
    bool Detect(std::span<const std::uint8_t> header, std::span<const std::uint8_t> tail) const override;
    SDecodeResult Decode(std::span<const std::uint8_t> data) const override;
};

class CDXImageFormatPSD final : public CDXImageFormat {
public:
    bool Detect(std::span<const std::uint8_t> header, std::span<const std::uint8_t> tail) const override;
    SDecodeResult Decode(std::span<const std::uint8_t> data) const override;
};

class CDXImageFormatTGA final : public CDXImageFormat {
public:
    bool Detect(std::span<const std::uint8_t> header, std::span<const std::uint8_t> tail) const override;
    SDecodeResult Decode(std::span<const std::uint8_t> data) const override;
};

class CDXImageFormatPCX final : public CDXImageFormat {
public:
    bool Detect(std::span<const std::uint8_t> header, std::span<const std::uint8_t> tail) const override;
    SDecodeResult Decode(std::span<const std::uint8_t> data) const override;
};

class CDXImageFormatJPEG final : public CDXImageFormat {
public:
    bool Detect(std::span<const std::uint8_t> header, std::span<const std::uint8_t> tail) const override;
    SDecodeResult Decode(std::span<const std::uint8_t> data) const override;
    // Converts each few rows as libjpeg gives them, instead of the whole picture afterwards.
    SDrawResult DecodeInto(std::span<const std::uint8_t> data, const SurfaceProvider& provide) const override;
};
