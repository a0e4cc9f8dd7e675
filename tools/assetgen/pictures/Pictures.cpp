#include "pictures/Pictures.h"

#include "pictures/Encode.h"
#include "pictures/Parts.h"

#include <string>

using namespace assetgen;

namespace {

void writeKeyed24(const std::filesystem::path& path, const CKeyedPicture& picture)
{
    writeFile(path, encodeBmp24(toKeyedImage8(picture.colour, picture.alpha)));
}

} // namespace

void generatePictures(const std::filesystem::path& gfxDir)
{
    const CWall wall = buildWall();
    for (int n = 1; n <= 4; ++n) {
        const CCanvas land = paintLandscape(n, wall);
        writeFile(gfxDir / ("landschaft" + std::to_string(n) + ".jpg"), encodeJpeg(toImage8(land), 92));
    }
    writeKeyed24(gfxDir / "tor.bmp", paintGate());
    const auto dancer = paintDancerFrames();
    for (size_t k = 0; k < dancer.size(); ++k)
        writeFile(gfxDir / ("m1_" + std::to_string(k) + ".bmp"),
                  encodeBmp8(quantize(toKeyedImage8(dancer[k].colour, dancer[k].alpha), 256), true));
    for (bool left : {true, false}) {
        const auto frames = paintTorchFrames(wall, left);
        for (size_t k = 0; k < frames.size(); ++k)
            writeFile(gfxDir / ((left ? "f1_" : "f2_") + std::to_string(k) + ".bmp"), encodeBmp24(toImage8(frames[k])));
    }
}
