// The pictures fit the places and ways the program draws them: the gate's window lies over the
// glow surface, the opaque torch frames match every landscape around them, the animations loop
// without a jump, the box is readable, the cursor's tip is where the program points.
#include "PictureFile.h"
#include "Pixels.h"
#include "shell/MenuLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace assettest {
namespace {

class PictureContent : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!haveProgramLoader())
            GTEST_SKIP() << "minnespiegel-image is not part of this build";
    }

    const CPicture& load(const std::string& name)
    {
        auto found = m_cache.find(name);
        if (found == m_cache.end()) {
            std::optional<CPicture> p = loadWithProgram(gfxDir() / name);
            found = m_cache.emplace(name, p ? std::move(*p) : CPicture{}).first;
        }
        return found->second;
    }

    static std::string numbered(const char* base, int k) { return std::string(base) + "_" + std::to_string(k) + ".bmp"; }

private:
    std::map<std::string, CPicture> m_cache;
};

int countDifferent(const CPicture& a, const CPicture& b, int threshold = 0)
{
    int n = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            const Colour p = a.at(x, y), q = b.at(x, y);
            int d = 0;
            for (int c = 0; c < 3; ++c)
                d = std::max(d, std::abs(p[c] - q[c]));
            n += d > threshold;
        }
    return n;
}

// The gate is drawn keyed over a 69 x 80 surface that glows during the answer: its key pixels
// there must form the one window around (15, 55), or black holes would show elsewhere.
TEST_F(PictureContent, GateWindowIsOneOpeningOverTheGlowSurface)
{
    const CPicture& gate = load("tor.bmp");
    ASSERT_EQ(gate.width, 69);
    const Colour key = gate.at(15, 55);
    std::vector<uint8_t> seen(static_cast<size_t>(gate.width) * gate.height, 0);
    std::vector<std::pair<int, int>> stack{{15, 55}};
    int size = 0;
    bool leaks = false;
    while (!stack.empty()) {
        const auto [x, y] = stack.back();
        stack.pop_back();
        if (x < 0 || y < 0 || x >= gate.width || y >= gate.height || seen[y * gate.width + x] || gate.at(x, y) != key)
            continue;
        seen[y * gate.width + x] = 1;
        ++size;
        leaks |= x == 0 || y == 0 || x >= 68 || y >= 80;
        stack.insert(stack.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
    }
    EXPECT_FALSE(leaks) << "the window runs out of the glow surface";
    EXPECT_GT(size, 2000) << "the window is too small to glow";
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 69; ++x)
            EXPECT_TRUE(gate.at(x, y) != key || seen[y * gate.width + x]) << "stray hole at " << x << "," << y;
}

// The torches are drawn opaque: their frames' edges must continue each landscape seamlessly.
TEST_F(PictureContent, TorchFramesBlendIntoEveryLandscape)
{
    for (int n = 1; n <= 4; ++n) {
        const CPicture& land = load("landschaft" + std::to_string(n) + ".jpg");
        for (const auto& [base, left] : {std::pair{"f1", 369}, std::pair{"f2", 496}}) {
            for (int k = 0; k < 10; ++k) {
                const CPicture& frame = load(numbered(base, k));
                const CPicture under = land.crop(left, 352, 28, 64);
                double sum = 0;
                int count = 0;
                for (int y = 0; y < 64; ++y)
                    for (int x = 0; x < 28; ++x)
                        if (x == 0 || y == 0 || x == 27 || y == 63) {
                            for (int c = 0; c < 3; ++c)
                                sum += std::abs(frame.at(x, y)[c] - under.at(x, y)[c]);
                            count += 3;
                        }
                EXPECT_LT(sum / count, 4.0) << "landscape " << n << " " << numbered(base, k);
            }
        }
    }
}

double meanLuminance(const CPicture& p, int left, int top, int w, int h)
{
    double sum = 0;
    for (int y = top; y < top + h; ++y)
        for (int x = left; x < left + w; ++x)
            sum += luminance(p.at(x, y));
    return sum / (w * h);
}

// Whatever the landscape, the torches light the ground at their feet: it is clearly brighter
// there than a little way off along the wall's foot.
TEST_F(PictureContent, TorchLightPoolsOnTheGroundOfEveryLandscape)
{
    for (int n = 1; n <= 4; ++n) {
        const CPicture& land = load("landschaft" + std::to_string(n) + ".jpg");
        for (const int torch : {369, 496}) {
            const double pool = meanLuminance(land, torch + 8, 420, 12, 10);
            const double aside = meanLuminance(land, torch < 400 ? torch - 70 : torch + 80, 420, 12, 10);
            EXPECT_GT(pool - aside, 14.0) << "landscape " << n << " torch at " << torch;
        }
    }
}

// Differences between the frames shown one after another, the last back to the first.
std::vector<float> loopSteps(const std::vector<const CPicture*>& frames)
{
    std::vector<float> steps;
    for (size_t i = 0; i < frames.size(); ++i)
        steps.push_back(meanAbsDifference(*frames[i], *frames[(i + 1) % frames.size()]));
    return steps;
}

TEST_F(PictureContent, EachTorchFlickersInASmoothLoop)
{
    // The program shows the left torch's odd frames and the right torch's even ones in turn.
    for (const auto& [base, first] : {std::pair{"f1", 1}, std::pair{"f2", 0}}) {
        std::vector<const CPicture*> shown;
        for (int k = first; k < 10; k += 2)
            shown.push_back(&load(numbered(base, k)));
        const std::vector<float> steps = loopSteps(shown);
        float mean = 0;
        for (float s : steps)
            mean += s / steps.size();
        for (size_t i = 0; i < steps.size(); ++i) {
            EXPECT_GT(steps[i], 0.3f) << base << " stands still after shown frame " << i;
            EXPECT_LT(steps[i], mean * 1.8f) << base << " jumps after shown frame " << i;
        }
    }
}

TEST_F(PictureContent, DancerLoopsWithoutAJumpAndStaysInHerFrame)
{
    std::vector<int> changes;
    for (int k = 1; k <= 29; ++k) {
        const CPicture& a = load(numbered("m1", k));
        const CPicture& b = load(numbered("m1", k == 29 ? 1 : k + 1));
        int changed = 0;
        for (int y = 0; y < a.height; ++y)
            for (int x = 0; x < a.width; ++x)
                changed += (a.at(x, y) == kMagenta) != (b.at(x, y) == kMagenta);
        changes.push_back(changed);
    }
    std::vector<int> sorted = changes;
    std::sort(sorted.begin(), sorted.end());
    const int median = sorted[sorted.size() / 2];
    for (size_t i = 0; i < changes.size(); ++i) {
        EXPECT_GT(changes[i], 0) << "frames " << i + 1 << " and the next are the same";
        EXPECT_LE(changes[i], median * 3) << "jump after frame " << i + 1;
    }
    for (int k = 0; k < 67; ++k) {
        const CPicture& f = load(numbered("m1", k));
        int figure = 0, onBorder = 0, lowest = 0;
        for (int y = 0; y < f.height; ++y)
            for (int x = 0; x < f.width; ++x)
                if (f.at(x, y) != kMagenta) {
                    ++figure;
                    lowest = std::max(lowest, y);
                    onBorder += x == 0 || y == 0 || x == f.width - 1 || y == f.height - 1;
                }
        EXPECT_GT(figure, 1500) << "frame " << k;
        EXPECT_EQ(onBorder, 0) << "frame " << k << " is cut off";
        EXPECT_GE(lowest, 160) << "frame " << k << " floats above the ground";
    }
}

double contrast(double la, double lb)
{
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double relativeLuminance(Colour c)
{
    auto lin = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(c[0]) + 0.7152 * lin(c[1]) + 0.0722 * lin(c[2]);
}

// The program writes dark blue questions and purple answers centred on x = 224, at most 390
// pixels wide, in up to five lines from y = 2 to 94 (the screen ends at row 95 of the box);
// that area must be solid and light enough to read them.
TEST_F(PictureContent, QuestionBoxIsShapedAndReadable)
{
    const CPicture& box = load("eingabe.bmp");
    EXPECT_EQ(box.at(0, 0), kMagenta);
    double worst = 1e9;
    for (int y = 2; y < 95; ++y)
        for (int x = 27; x < 422; ++x) {
            ASSERT_NE(box.at(x, y), kMagenta) << "hole in the writing area at " << x << "," << y;
            const double l = relativeLuminance(box.at(x, y));
            worst = std::min({worst, contrast(l, relativeLuminance({18, 72, 122})), contrast(l, relativeLuminance({100, 25, 125}))});
        }
    EXPECT_GT(worst, 4.5);
}

// The box shrinks into the gate while its question flies: art of fine strokes would break up
// into flickering pixels there. Measured on the ornaments either side of the writing, as how far
// pixels stray from their 3 x 3 mean.
TEST_F(PictureContent, QuestionBoxArtHasNoFineStrokes)
{
    const CPicture& box = load("eingabe.bmp");
    double stray = 0;
    int count = 0;
    for (int y = 1; y + 1 < box.height; ++y)
        for (int x = 1; x + 1 < box.width; ++x) {
            float mean = 0;
            bool inside = true;
            for (int v = -1; v <= 1; ++v)
                for (int u = -1; u <= 1; ++u) {
                    inside &= box.at(x + u, y + v) != kMagenta;
                    mean += luminance(box.at(x + u, y + v)) / 9;
                }
            if (inside && (x < 27 || x >= 422)) {
                stray += std::abs(luminance(box.at(x, y)) - mean);
                ++count;
            }
        }
    EXPECT_LT(stray / count, 1.85);
}

TEST_F(PictureContent, CursorTipIsWhereTheProgramPoints)
{
    const CPicture& cursor = load("cursor.bmp");
    EXPECT_EQ(cursor.at(0, 0), kMagenta);
    EXPECT_NE(cursor.at(7, 2), kMagenta);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < cursor.width; ++x)
            EXPECT_EQ(cursor.at(x, y), kMagenta) << "pixel above the tip at " << x << "," << y;
}

// Each menu frame repeats the title underneath and highlights its entry under the hotspot
// the program tests for it.
TEST_F(PictureContent, MenuFramesFitTheTitleAndTheirHotspots)
{
    const CPicture& title = load("mi_titel2.jpg");
    const CPicture under = title.crop(0, 230, 400, 340);
    const CPicture& none = load(numbered("menu", 5));
    EXPECT_LE(countDifferent(none, under, 2), 0);
    for (int k = 0; k < 5; ++k) {
        const menu_layout::SRect& hotspot = menu_layout::kHotspots[k];
        const CPicture& frame = load(numbered("menu", k));
        int inside = 0, outside = 0;
        for (int y = 0; y < frame.height; ++y)
            for (int x = 0; x < frame.width; ++x) {
                const Colour a = frame.at(x, y), b = none.at(x, y);
                if (std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]) <= 24)
                    continue;
                const int sy = y + 230;
                (sy >= hotspot.top - 4 && sy < hotspot.top + hotspot.height + 4 ? inside : outside)++;
            }
        EXPECT_GT(inside, 300) << "frame " << k << " highlights nothing";
        EXPECT_EQ(outside, 0) << "frame " << k << " changes more than its entry";
    }
}

TEST_F(PictureContent, LoaderBrightensFromFrameOneToFive)
{
    float previous = -1;
    for (int k = 1; k <= 5; ++k) {
        const CPicture& f = load(numbered("Wait", k));
        double sum = 0;
        for (int y = 0; y < f.height; ++y)
            for (int x = 0; x < f.width; ++x)
                sum += luminance(f.at(x, y));
        const float mean = static_cast<float>(sum / (f.width * f.height));
        EXPECT_GT(mean, previous) << "frame " << k;
        previous = mean;
    }
    // Drawn on a black screen: the edges are black too.
    const CPicture& f = load(numbered("Wait", 3));
    for (int x = 0; x < f.width; ++x)
        EXPECT_LT(luminance(f.at(x, 0)), 12.0f);
}

TEST_F(PictureContent, FourDistinctLandscapesAndTheirThumbnails)
{
    for (int a = 1; a <= 4; ++a)
        for (int b = a + 1; b <= 4; ++b)
            EXPECT_GT(meanAbsDifference(load("landschaft" + std::to_string(a) + ".jpg"),
                                        load("landschaft" + std::to_string(b) + ".jpg")),
                      15.0f)
                << a << " and " << b;
    const CPicture& selector = load("mb_back.bmp");
    for (int t = 0; t < 5; ++t) {
        EXPECT_EQ(selector.at(t * 58, 0), kMagenta) << "tile " << t;
        EXPECT_EQ(selector.at(t * 58 + 57, 57), kMagenta) << "tile " << t;
        EXPECT_NE(selector.at(t * 58 + 29, 29), kMagenta) << "tile " << t;
    }
}

} // namespace
} // namespace assettest
