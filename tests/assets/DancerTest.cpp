// The dancer's rest pose, the picture people look at longest while they type: it has a face,
// and her outline stands out from each of the four landscapes behind her.
#include "PictureFile.h"
#include "Pixels.h"
#include "pictures/Scene.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace assettest {
namespace {

CPicture loadOrEmpty(const std::string& name)
{
    std::optional<CPicture> p = loadWithProgram(gfxDir() / name);
    return p ? std::move(*p) : CPicture{};
}

// Lit or in shadow; hair, eyes, lips and the pale rim of light fall outside.
bool isSkin(Colour c)
{
    return c[0] >= 120 && c[0] > c[1] + 20 && c[1] + 2 >= c[2] && c[2] > 60;
}

// Face pixels that are not skin but lie between skin on both sides of their row.
struct FaceFeatures {
    int darkPairs = 0; // rows holding two dark spots some pixels apart: the eyes
    int red = 0;       // the mouth
};

// The face begins where the centre of the head turns from hair to skin; the light rim round
// the figure is skin-coloured too, so it must have hair above it.
int faceTop(const CPicture& f)
{
    const int cx = f.width / 2;
    for (int y = 4; y < f.height / 2; ++y) {
        bool hairAbove = true;
        for (int d = 1; d <= 3; ++d)
            hairAbove &= f.at(cx, y - d) != kMagenta && !isSkin(f.at(cx, y - d));
        if (hairAbove && isSkin(f.at(cx, y)))
            return y;
    }
    return -1;
}

FaceFeatures faceFeatures(const CPicture& f)
{
    const int top = faceTop(f);
    FaceFeatures out;
    if (top < 0)
        return out;
    for (int y = top; y < top + 12; ++y) {
        std::vector<int> dark;
        for (int x = f.width / 2 - 7; x < f.width / 2 + 7; ++x) {
            const Colour c = f.at(x, y);
            bool skinLeft = false, skinRight = false;
            for (int d = 1; d <= 4; ++d) {
                skinLeft |= isSkin(f.at(x - d, y));
                skinRight |= isSkin(f.at(x + d, y));
            }
            if (isSkin(c) || !skinLeft || !skinRight)
                continue;
            if (luminance(c) < 100)
                dark.push_back(x);
            out.red += c[0] > 140 && c[1] < 90;
        }
        out.darkPairs += !dark.empty() && dark.back() - dark.front() >= 3;
    }
    return out;
}

TEST(Dancer, RestPoseHasAFace)
{
    if (!haveProgramLoader())
        GTEST_SKIP() << "minnespiegel-image is not part of this build";
    const FaceFeatures face = faceFeatures(loadOrEmpty("m1_1.bmp"));
    EXPECT_GE(face.darkPairs, 1) << "no eyes";
    EXPECT_GE(face.red, 1) << "no mouth";
}

// The share of her outline where the edge pixel of the figure and the landscape pixel beside
// it differ clearly in brightness.
double outlineContrast(const CPicture& dancer, const CPicture& land, int left, int top)
{
    double sum = 0;
    int count = 0;
    for (int y = 1; y + 1 < dancer.height; ++y)
        for (int x = 1; x + 1 < dancer.width; ++x) {
            if (dancer.at(x, y) == kMagenta)
                continue;
            for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}})
                if (dancer.at(x + dx, y + dy) == kMagenta) {
                    sum += std::abs(luminance(dancer.at(x, y)) - luminance(land.at(left + x + dx, top + y + dy))) >= 30;
                    ++count;
                }
        }
    return count ? sum / count : 0;
}

TEST(Dancer, OutlineStandsOutFromEveryLandscape)
{
    if (!haveProgramLoader())
        GTEST_SKIP() << "minnespiegel-image is not part of this build";
    const CPicture dancer = loadOrEmpty("m1_1.bmp");
    for (int n = 1; n <= 4; ++n) {
        const assetgen::SVec2 at = assetgen::scene::dancerPosition(n);
        const double contrast = outlineContrast(dancer, loadOrEmpty("landschaft" + std::to_string(n) + ".jpg"),
                                                static_cast<int>(at.x), static_cast<int>(at.y));
        EXPECT_GT(contrast, 0.9) << "landscape " << n;
    }
}

} // namespace
} // namespace assettest
