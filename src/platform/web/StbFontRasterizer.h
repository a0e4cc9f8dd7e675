#pragma once
#include "graphics/IFontRasterizer.h"
#include "platform/web/HintedWidths.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

// Fonts the program brings along instead of asking the system: Liberation Sans (metric twin
// of the face the program asks for) read from `fontFolder`, rendered monochrome by
// stb_truetype without hinting. Advances come from `hintedWidths` (measured with the Linux
// build's hinting rasteriser) where it has the size, so lines break where they break on
// Linux; elsewhere from the outlines. Every face name gets the regular face; 600 and heavier
// get the bold one when it is there (and then the outlines' advances).
class CStbFontRasterizer final : public IFontRasterizer {
public:
    explicit CStbFontRasterizer(std::filesystem::path fontFolder, const std::filesystem::path& hintedWidths = {});
    ~CStbFontRasterizer() override;
    CStbFontRasterizer(const CStbFontRasterizer&) = delete;
    CStbFontRasterizer& operator=(const CStbFontRasterizer&) = delete;

    std::unique_ptr<IFontFace> openFont(const SFontRequest& request) override;

private:
    struct SFontFile;
    std::shared_ptr<const SFontFile> load(const char* fileName);

    std::filesystem::path folder_;
    std::shared_ptr<const SFontFile> regular_;
    std::shared_ptr<const SFontFile> bold_;
    std::shared_ptr<const CHintedWidths> regularWidths_;
};
