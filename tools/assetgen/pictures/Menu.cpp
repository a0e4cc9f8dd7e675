// The title screen: the name in calligraphy, an oval mirror on the right that holds the moon,
// and the menu on the left whose six states the program lays over the title at (0, 230).
#include "pictures/Layer.h"
#include "pictures/Noise.h"
#include "pictures/Painting.h"
#include "pictures/Ui.h"
#include "pictures/Vines.h"
#include "shell/MenuLayout.h"

#include <array>
#include <numbers>

namespace assetgen {

namespace {

constexpr int kMenuX = 0, kMenuY = 230, kMenuW = 400, kMenuH = 340;

struct SEntry {
    const char* label;
    int top, height; // the program's hotspot rows
};

constexpr SEntry entryOf(const char* label, int index)
{
    return {label, menu_layout::kHotspots[index].top, menu_layout::kHotspots[index].height};
}

// In the order of the frames that highlight them.
constexpr std::array<SEntry, 5> kEntries{{entryOf("Start", 0), entryOf("Einstellungen", 1), entryOf("Homepage", 2),
                                         entryOf("Hilfe", 3), entryOf("Ende", 4)}};
constexpr float kEntryX = 27;
constexpr float kEntrySize = 30;

const SVec2 kMirror{592, 372};
constexpr float kMirrorRx = 112, kMirrorRy = 150;

void paintMirrorGlass(CCanvas& c)
{
    // The glass holds a moonlit sky of its own.
    CCanvas glass(800, 600);
    paintVerticalGradient(glass, {{220, rgb8(24, 30, 80)}, {420, rgb8(70, 70, 140)}, {520, rgb8(140, 100, 160)}}, 0, 600);
    paintStars(glass, {260, 220, 520, 1.0f, 811, nullptr});
    paintMoon(glass, {620, 318}, 30, rgb8(255, 246, 226), 0.6f);
    SCloudLayer wisps{360, 500, 0.008f, 0.04f, 0.55f, 0.7f, 812, [](float, float, float t) {
                         return mix(rgb8(200, 170, 220), rgb8(90, 80, 140), t);
                     }};
    paintClouds(glass, wisps);
    CLayer layer(800, 600, 2);
    layer.paint(kMirror.x - kMirrorRx - 30, kMirror.y - kMirrorRy - 50, kMirror.x + kMirrorRx + 30, kMirror.y + kMirrorRy + 50,
                [](SVec2 p) { return sdEllipse(p, kMirror, kMirrorRx + 14, kMirrorRy + 14); },
                [](SVec2 p) {
                    // Gold frame: beaded, lit from the upper left.
                    const SVec2 d{(p.x - kMirror.x) / (kMirrorRx + 14), (p.y - kMirror.y) / (kMirrorRy + 14)};
                    const float angle = std::atan2(d.y, d.x);
                    const float radial = length(d);
                    const float bead = 0.5f + 0.5f * std::cos(angle * 36);
                    const float profile = std::sin(clamp01((radial - 0.9f) / 0.1f) * std::numbers::pi_v<float>);
                    const float lit = clamp01(0.5f - 0.5f * (d.x + d.y) * 0.8f);
                    return goldTone(clamp01(1 - profile * (0.4f + 0.5f * lit) - 0.25f * bead * profile)) * (0.6f + 0.5f * lit);
                });
    layer.paint(kMirror.x - kMirrorRx, kMirror.y - kMirrorRy, kMirror.x + kMirrorRx, kMirror.y + kMirrorRy,
                [](SVec2 p) { return sdEllipse(p, kMirror, kMirrorRx, kMirrorRy); },
                [&glass](SVec2 p) {
                    const float sheen = std::exp(-std::pow((p.x - kMirror.x + (p.y - kMirror.y) * 0.55f + 50) / 10, 2.0f));
                    return glass.sample(p.x, p.y) + rgb8(255, 255, 255) * (sheen * 0.05f);
                });
    // A crest above and a stem below hold the glass.
    layer.paint(kMirror.x - 20, kMirror.y - kMirrorRy - 44, kMirror.x + 20, kMirror.y - kMirrorRy - 4, [](SVec2 p) {
        const SVec2 h = p - SVec2{kMirror.x, kMirror.y - kMirrorRy - 22};
        // A heart: two circles and a point.
        const float lobes = std::min(sdCircle(h, {-6, -4}, 7.5f), sdCircle(h, {6, -4}, 7.5f));
        const std::vector<SVec2> point{{-13, -1}, {13, -1}, {0, 15}};
        return std::min(lobes, sdPolygon(h, point));
    }, [](SVec2 p) { return goldTone(clamp01((p.y - (kMirror.y - kMirrorRy - 36)) / 36)); });
    c = layer.resolveOver(c);
    addGlow(c, {kMirror.x, kMirror.y - kMirrorRy - 24}, 18, rgb8(255, 200, 140), 0.25f);
}

STextStyle entryStyle(bool highlighted, const SEntry& e)
{
    const float top = e.top + e.height * 0.5f - kEntrySize * 0.45f;
    if (highlighted)
        return {kEntrySize, EAlign::Left, goldShade(top, top + kEntrySize * 0.75f, 1.08f), rgb8(255, 170, 90), 7, 0.55f};
    return {kEntrySize, EAlign::Left, solid(kLilac), rgb8(0, 0, 0), 3, 0.55f, false};
}

float baselineOf(const SEntry& e)
{
    return e.top + e.height * 0.5f + kEntrySize * 0.3f;
}

void paintEntry(CCanvas& c, const SEntry& e, bool lit, const CFont& font)
{
    if (lit) {
        // A warm glow behind the line, and a sparkle in front of it.
        const float width = font.measure(e.label, kEntrySize);
        for (int y = e.top; y < e.top + e.height; ++y)
            for (int x = 0; x < static_cast<int>(kEntryX + width + 40); ++x) {
                const float dy = (y + 0.5f - (e.top + e.height * 0.5f)) / (e.height * 0.5f);
                const float dx = clamp01((x - kEntryX - width) / 40);
                c.at(x, y) += rgb8(120, 50, 90) * (0.3f * (1 - dy * dy) * (1 - dx));
            }
        paintSparkle(c, {13, e.top + e.height * 0.5f}, 4, rgb8(255, 220, 150));
    }
    drawText(c, font, e.label, kEntryX, baselineOf(e), entryStyle(lit, e));
}

// The highlight stays within its entry's own rows, where the program looks for the mouse.
void paintHighlight(CCanvas& c, const SEntry& e, const CFont& font)
{
    CCanvas lit = c;
    paintEntry(lit, e, true, font);
    for (int y = e.top - 2; y < e.top + e.height + 2; ++y)
        for (int x = 0; x < c.width(); ++x)
            c.at(x, y) = lit.at(x, y);
}

// The vines keep clear of the hotspots, the entries' lettering and the title.
std::vector<SBox> titleKeepOut(const CFont& chancery, const CFont& italic)
{
    std::vector<SBox> keepOut;
    for (const menu_layout::SRect& hotspot : menu_layout::kHotspots)
        keepOut.push_back(boxOf(hotspot).grown(6));
    for (const SEntry& e : kEntries)
        keepOut.push_back(textBox(chancery, e.label, kEntryX, baselineOf(e), kEntrySize, EAlign::Left).grown(12));
    keepOut.push_back(textBox(chancery, "Minnespiegel", 400, 150, 104, EAlign::Centre).grown(8));
    keepOut.push_back(textBox(italic, "Das Orakel der Liebe", 400, 198, 25, EAlign::Centre).grown(8));
    keepOut.push_back({240, 210, 560, 230}); // the flourish
    return keepOut;
}

} // namespace

SScreenArt paintTitle()
{
    SScreenArt art{paintNightBackdrop(801), CMask()};
    CCanvas& c = art.picture;
    const CFont chancery(ETypeface::Chancery);
    const CFont italic(ETypeface::SerifItalic);
    // Along the foot of the screen under the menu, in the corner above it, and round the mirror.
    art.vines = paintRoseVines(c,
                               {{{-8, 603}, {0.9995f, -0.03f}, 470, 802, 5},
                                {{-6, -6}, {0.8f, 0.6f}, 150, 805},
                                {{806, 606}, {-0.5f, -0.866f}, 170, 803},
                                {{806, -6}, {-0.8f, 0.6f}, 150, 804}},
                               titleKeepOut(chancery, italic));
    paintMirrorGlass(c);
    drawText(c, chancery, "Minnespiegel", 400, 150,
             {104, EAlign::Centre, goldShade(72, 160, 1.05f), rgb8(255, 150, 90), 12, 0.45f});
    drawText(c, italic, "Das Orakel der Liebe", 400, 198, {25, EAlign::Centre, solid(kLilac), rgb8(150, 90, 200), 5, 0.4f});
    paintFlourish(c, 400, 220, 150);
    for (const SEntry& e : kEntries)
        paintEntry(c, e, false, chancery);
    return art;
}

std::vector<CCanvas> paintMenuFrames(const CCanvas& decodedTitle)
{
    const CFont chancery(ETypeface::Chancery);
    std::vector<CCanvas> frames;
    for (int k = 0; k < 6; ++k) {
        CCanvas full = decodedTitle;
        if (k < 5)
            paintHighlight(full, kEntries[k], chancery);
        frames.push_back(full.crop(kMenuX, kMenuY, kMenuW, kMenuH));
    }
    return frames;
}

} // namespace assetgen
