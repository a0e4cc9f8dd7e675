// The small pictures: the mouse pointer, the two selectors of the settings screen, the unused
// gender selector, and the loader animation.
#include "pictures/Layer.h"
#include "pictures/Noise.h"
#include "pictures/Painting.h"
#include "pictures/Ui.h"

#include <numbers>

namespace assetgen {

namespace {

constexpr float kTile = 58;

// A rounded gold frame around a tile's picture, drawn on a layer.
void paintTileFrame(CLayer& layer, float left, const std::function<SRgb(SVec2)>& inside)
{
    const SVec2 centre{left + kTile / 2, kTile / 2};
    layer.paint(left, 0, left + kTile, kTile, [=](SVec2 p) { return sdRoundBox(p, centre, {28, 28}, 9); },
                [=](SVec2 p) {
                    const float d = -sdRoundBox(p, centre, {28, 28}, 9);
                    const float ring = clamp01((p.y + (p.x - left) * 0.3f) / (kTile * 1.3f));
                    return goldTone(d < 1.2f ? 0.15f + ring : ring * 0.6f + 0.2f);
                });
    layer.paint(left + 3, 3, left + kTile - 3, kTile - 3, [=](SVec2 p) { return sdRoundBox(p, centre, {24.5f, 24.5f}, 7); },
                [](SVec2) { return rgb8(60, 30, 16); });
    layer.paint(left + 4, 4, left + kTile - 4, kTile - 4, [=](SVec2 p) { return sdRoundBox(p, centre, {23.5f, 23.5f}, 6); },
                inside);
}

// Landscape thumbnails show the part around the gate, where each one is most itself.
CCanvas thumbnail(const CCanvas& landscape)
{
    return landscape.crop(150, 40, 560, 560).resized(47, 47);
}

// Musical notes drawn as shapes: two beamed eighths.
void paintNotes(CLayer& layer, SVec2 at, SRgb colour)
{
    const auto shade = [colour](SVec2) { return colour; };
    for (const float dx : {0.0f, 14.0f}) {
        const SVec2 head = at + SVec2{dx, dx * -0.25f};
        layer.paint(head.x - 6, head.y - 5, head.x + 6, head.y + 5, [=](SVec2 p) {
            const SVec2 q = rotate(p - head, 0.45f);
            return sdEllipse(q, {0, 0}, 4.6f, 3.3f);
        }, shade);
        layer.paint(head.x + 2, head.y - 22, head.x + 6, head.y, [=](SVec2 p) {
            return sdSegment(p, head + SVec2{3.8f, -1}, head + SVec2{3.8f, -20}) - 1.0f;
        }, shade);
    }
    layer.paint(at.x + 2, at.y - 28, at.x + 20, at.y - 15, [=](SVec2 p) {
        return sdSegment(p, at + SVec2{3.8f, -20}, at + SVec2{17.8f, -23.5f}) - 2.2f;
    }, shade);
}

} // namespace

SKeyedPicture paintCursor()
{
    CLayer layer(20, 23, 4);
    // The tip sits on pixel (7, 2), where the program takes the pointing spot.
    const std::vector<SVec2> arrow{{7.5f, 3.3f}, {17.6f, 13.6f}, {13.2f, 14.1f}, {16.2f, 20.4f}, {13.6f, 21.6f}, {10.6f, 15.4f}, {7.4f, 18.4f}};
    layer.paint(5, 0, 20, 23, [&](SVec2 p) { return sdPolygon(p, arrow) - 1.1f; }, [](SVec2) { return rgb8(40, 16, 30); });
    layer.paint(5, 0, 20, 23, [&](SVec2 p) { return sdPolygon(p, arrow) + 0.15f; },
                [](SVec2 p) { return goldTone(clamp01((p.y - 1) / 20 + (p.x - 8) * 0.02f)); });
    return layer.resolve();
}

SKeyedPicture paintLandscapeSelector(const std::vector<CCanvas>& landscapes)
{
    CLayer layer(5 * static_cast<int>(kTile), static_cast<int>(kTile), 3);
    std::vector<CCanvas> thumbs;
    for (const CCanvas& l : landscapes)
        thumbs.push_back(thumbnail(l));
    for (int i = 0; i < 4; ++i) {
        const float left = i * kTile;
        const CCanvas& t = thumbs[i];
        paintTileFrame(layer, left, [&t, left](SVec2 p) { return t.sample(p.x - left - 5.5f, p.y - 5.5f); });
    }
    // The random choice: the four landscapes quartered, darkened, under a golden question mark.
    const float left = 4 * kTile;
    paintTileFrame(layer, left, [&thumbs, left](SVec2 p) {
        const float x = p.x - left - 5.5f, y = p.y - 5.5f;
        const int q = (x < 23.5f ? 0 : 1) + (y < 23.5f ? 0 : 2);
        return thumbs[q].sample(x, y) * 0.45f;
    });
    const CFont font(ETypeface::SerifBold);
    const STextMask mark = font.render("?", 40);
    const float ox = left + kTile / 2 - mark.advance / 2 - mark.left;
    const float oy = 44 - static_cast<float>(mark.baseline);
    const CMask glow = halo(mark.mask, 3, 9);
    layer.paint(ox - 9, oy - 9, ox + glow.width() - 9, oy + glow.height() - 9, [&](SVec2 p) {
        const int x = static_cast<int>(p.x - ox + 9), y = static_cast<int>(p.y - oy + 9);
        return glow.contains(x, y) ? 0.5f - glow.at(x, y) * 1.4f : 1.0f;
    }, [](SVec2) { return rgb8(60, 20, 10); }, 0.6f);
    layer.paint(ox, oy, ox + mark.mask.width(), oy + mark.mask.height(), [&](SVec2 p) {
        const int x = static_cast<int>(p.x - ox), y = static_cast<int>(p.y - oy);
        return mark.mask.contains(x, y) ? 0.5f - mark.mask.at(x, y) : 1.0f;
    }, [](SVec2 p) { return goldTone(clamp01((p.y - 12) / 34)); });
    return layer.resolve();
}

SKeyedPicture paintMusicSelector()
{
    CLayer layer(2 * static_cast<int>(kTile), static_cast<int>(kTile), 3);
    for (int i = 0; i < 2; ++i) {
        const float left = i * kTile;
        const bool on = i == 0;
        paintTileFrame(layer, left, [on, left](SVec2 p) {
            const float d = length(p - SVec2{left + 29, 29}) / 30;
            return on ? mix(rgb8(96, 50, 120), rgb8(30, 16, 52), d) : mix(rgb8(50, 46, 62), rgb8(20, 18, 30), d);
        });
        paintNotes(layer, {left + 20, 40}, on ? rgb8(255, 222, 150) : rgb8(120, 112, 130));
        if (!on)
            layer.paint(left + 8, 8, left + 50, 50, [left](SVec2 p) {
                return sdSegment(p, {left + 13, 45}, {left + 45, 13}) - 2.4f;
            }, [](SVec2) { return rgb8(200, 40, 50); });
    }
    return layer.resolve();
}

CCanvas paintGenderSelector()
{
    CLayer layer(2 * static_cast<int>(kTile), static_cast<int>(kTile), 3);
    for (int i = 0; i < 2; ++i) {
        const float left = i * kTile;
        paintTileFrame(layer, left, [left](SVec2 p) { return mix(rgb8(80, 40, 96), rgb8(26, 14, 44), length(p - SVec2{left + 29, 29}) / 30); });
        const SVec2 c{left + 29, i == 0 ? 25.0f : 32.0f};
        const auto ink = [](SVec2) { return rgb8(255, 222, 150); };
        layer.paint(c.x - 12, c.y - 12, c.x + 12, c.y + 12, [c](SVec2 p) { return std::abs(sdCircle(p, c, 8.5f)) - 1.8f; }, ink);
        if (i == 0) {
            layer.paint(c.x - 8, c.y + 8, c.x + 8, c.y + 26, [c](SVec2 p) {
                return std::min(sdSegment(p, c + SVec2{0, 10}, c + SVec2{0, 24}), sdSegment(p, c + SVec2{-6, 18}, c + SVec2{6, 18})) - 1.8f;
            }, ink);
        } else {
            layer.paint(c.x, c.y - 26, c.x + 26, c.y, [c](SVec2 p) {
                const SVec2 tip = c + SVec2{17, -17};
                return std::min({sdSegment(p, c + SVec2{6, -6}, tip), sdSegment(p, tip, tip + SVec2{-8, 0}), sdSegment(p, tip, tip + SVec2{0, 8})}) - 1.8f;
            }, ink);
        }
    }
    // Never drawn keyed by the program, so it sits on a dark ground of its own.
    return layer.resolveOver(CCanvas(layer.width(), layer.height(), rgb8(16, 10, 30)));
}

std::vector<CCanvas> paintLoaderFrames()
{
    // A hand mirror waking up: its glass brightens and the stars around it light one by one;
    // the program plays frames 1 to 5 back and forth.
    std::vector<CCanvas> frames;
    const CFont font(ETypeface::Chancery);
    for (int k = 0; k < 6; ++k) {
        const float level = k / 5.0f;
        CCanvas c(320, 240);
        const SVec2 centre{160, 100};
        addGlow(c, centre, 70, rgb8(90, 50, 130), 0.25f + 0.35f * level);
        CLayer mirror(320, 240, 3);
        mirror.paint(150, 150, 170, 200, [](SVec2 p) { return sdTaperedCapsule(p, {160, 148}, {160, 196}, 4, 6); },
                     [](SVec2 p) { return goldTone(clamp01((p.x - 154) / 12)); });
        mirror.paint(110, 40, 210, 160, [centre](SVec2 p) { return sdEllipse(p, centre, 44, 56); },
                     [centre](SVec2 p) { return goldTone(clamp01(0.5f + (p.x - centre.x) / 90 + (p.y - centre.y) / 140)); });
        mirror.paint(116, 46, 204, 154, [centre](SVec2 p) { return sdEllipse(p, centre, 38, 50); },
                     [centre, level](SVec2 p) {
                         const float d = length(SVec2{(p.x - centre.x) / 38, (p.y - centre.y) / 50});
                         const SRgb deep = rgb8(20, 20, 60), bright = rgb8(200, 190, 255);
                         const float sheen = smoothstep(0.06f, 0.0f, std::abs((p.x - centre.x) + (p.y - centre.y) * 0.6f + 12) / 80);
                         return mix(bright * (0.25f + 0.75f * level), deep, d * 0.9f) + rgb8(255, 255, 255) * (sheen * 0.25f);
                     });
        c = mirror.resolveOver(c);
        for (int s = 0; s < 5; ++s) {
            const float a = std::numbers::pi_v<float> * (1.08f + 0.21f * s);
            const SVec2 at = centre + SVec2{std::cos(a) * 80, std::sin(a) * 80 * 0.95f};
            const bool lit = s < k;
            paintSparkle(c, at, lit ? 4.5f : 2.0f, lit ? rgb8(255, 220, 150) : rgb8(90, 80, 120));
        }
        STextStyle style{26, EAlign::Centre, goldShade(196, 222, 0.75f + 0.25f * level), rgb8(120, 70, 160), 4, 0.5f};
        drawText(c, font, "Der Spiegel erwacht …", 160, 224, style);
        frames.push_back(std::move(c));
    }
    return frames;
}

} // namespace assetgen
