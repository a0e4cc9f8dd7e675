// minnespiegel-fontwidths OUT: writes how far the Linux build's rasteriser (FreeType with the
// font's own hinting) advances the pen for each Windows-1252 byte of Liberation Sans Regular at
// each em size from 6 to 48 pixels. The browser build draws the same font without hinting and
// takes its advances from this table, so its lines break where the Linux program's do.
#include "graphics/IFontRasterizer.h"
#include "platform/SystemServices.h"
#include "platform/web/HintedWidths.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT\n", argv[0]);
        return 2;
    }
    const std::unique_ptr<IFontRasterizer> rasterizer = makeFontRasterizer();
    CHintedWidths widths;
    for (std::int32_t pixelsPerEm = 6; pixelsPerEm <= 48; ++pixelsPerEm) {
        const std::unique_ptr<IFontFace> face = rasterizer->openFont({"Liberation Sans", 0, -pixelsPerEm, 400});
        if (!face) {
            std::fprintf(stderr, "%s: Liberation Sans cannot be opened\n", argv[0]);
            return 1;
        }
        CHintedWidths::Row row{};
        for (int byte = 0; byte < 256; ++byte) {
            row[static_cast<std::size_t>(byte)] = face->renderGlyph(static_cast<unsigned char>(byte)).advance;
        }
        widths.set(pixelsPerEm, row);
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << widths.write();
    return out.good() ? 0 : 1;
}
