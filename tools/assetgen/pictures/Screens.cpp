// The settings and help screens, in the title's style. The settings screen frames the places
// where the program draws its two selectors and says what they do.
#include "pictures/Painting.h"
#include "pictures/Shapes.h"
#include "pictures/Ui.h"
#include "pictures/Vines.h"
#include "shell/MenuLayout.h"

namespace assetgen {

namespace {

template <typename SRect>
SVec2 cornerOf(const SRect& r)
{
    return {static_cast<float>(r.left), static_cast<float>(r.top)};
}

const SVec2 kLandscapeSelector = cornerOf(menu_layout::kLandscapeSelector);
const SVec2 kMusicSelector = cornerOf(menu_layout::kMusicSelector);
const SBox kBackButton = boxOf(menu_layout::kBackButtonOnMenus);
constexpr float kSettingLabelSize = 40, kHintSize = 18;
constexpr const char* kFooter = "Linksklick blättert vorwärts, Rechtsklick zurück.";
constexpr const char* kHelpTitle = "So befragst du den Minnespiegel";
constexpr const char* kClosingLine = "Was der Spiegel sagt, sagt er mit einem Augenzwinkern – dein Herz weiß es am besten.";
constexpr float kHelpTextSize = 19;
constexpr const char* kHelpParagraphs[] = {
    "Wähle im Hauptmenü „Start“. Vor dem alten Steintor, zwischen zwei Fackeln, tanzt die Hüterin des Spiegels.",
    "Schreibe deine Frage in die Schriftrolle am unteren Rand, so wie du sie einem vertrauten Menschen stellen "
    "würdest, und drücke die Eingabetaste.",
    "Deine Frage fliegt in das Tor, das Tor erglüht – und der Spiegel antwortet dir in der Schriftrolle. Ein "
    "Mausklick oder die Eingabetaste macht den Weg frei für die nächste Frage.",
    "Unter „Einstellungen“ wählst du die Landschaft (Mondsee, Herbstwald, Winternacht, Sommerabend oder jedes "
    "Mal eine andere) und schaltest die Musik an oder aus.",
    "„Zurück“ bringt dich jederzeit ins Hauptmenü. Die Taste Esc beendet den Minnespiegel sofort.",
};

void paintSelectorSeat(CCanvas& c, SVec2 at)
{
    const SVec2 centre = at + SVec2{29, 29};
    addGlow(c, centre, 40, rgb8(120, 70, 160), 0.35f);
    paintSdf(c, at.x - 10, at.y - 10, at.x + 68, at.y + 68,
             [centre](SVec2 p) { return std::abs(sdRoundBox(p, centre, {36, 36}, 12)) - 0.8f; },
             [](SVec2 p) { return goldTone(clamp01((p.y - 240) / 260)); });
}

void paintSettingRow(CCanvas& c, const CFont& title, const CFont& italic, SVec2 selector, const char* label,
                     const char* line1, const char* line2)
{
    paintSelectorSeat(c, selector);
    drawText(c, title, label, selector.x - 40, selector.y + 40,
             {kSettingLabelSize, EAlign::Right, goldShade(selector.y + 8, selector.y + 42), rgb8(255, 150, 90), 6, 0.35f});
    const STextStyle hint{kHintSize, EAlign::Left, solid(kLilac), rgb8(0, 0, 0), 2, 0.6f, false};
    drawText(c, italic, line1, selector.x + 96, selector.y + 26, hint);
    drawText(c, italic, line2, selector.x + 96, selector.y + 48, hint);
}

// Around the selectors' seats, their labels and hints, the title and the back button.
std::vector<SBox> settingsKeepOut(const CFont& chancery, const CFont& italic)
{
    std::vector<SBox> keepOut{kBackButton.grown(8), textBox(chancery, "Einstellungen", 400, 120, 72, EAlign::Centre).grown(8),
                             {220, 140, 580, 160}, {270, 495, 530, 515}};
    keepOut.push_back(textBox(italic, kFooter, 400, 536, 17, EAlign::Centre).grown(6));
    for (const SVec2 at : {kLandscapeSelector, kMusicSelector}) {
        keepOut.push_back({at.x - 50, at.y - 50, at.x + 108, at.y + 108});
        keepOut.push_back(textBox(chancery, "Landschaft", at.x - 40, at.y + 40, kSettingLabelSize, EAlign::Right).grown(8));
        keepOut.push_back({at.x + 90, at.y, at.x + 380, at.y + 56});
    }
    return keepOut;
}

std::vector<SBox> helpKeepOut(const CFont& chancery, const SBox& panel, const SBox& closing)
{
    return {kBackButton.grown(8), textBox(chancery, kHelpTitle, 400, 78, 50, EAlign::Centre).grown(8), panel.grown(10),
            closing.grown(8)};
}

} // namespace

SScreenArt paintSettingsScreen()
{
    SScreenArt art{paintNightBackdrop(901), CMask()};
    CCanvas& c = art.picture;
    const CFont chancery(ETypeface::Chancery);
    const CFont italic(ETypeface::SerifItalic);
    // In the upper left corner, and up the right edge above the back button.
    art.vines = paintRoseVines(c, {{{-6, -6}, {0.8f, 0.6f}, 170, 902}, {{806, 546}, {-0.15f, -0.989f}, 220, 903, 8}},
                               settingsKeepOut(chancery, italic));
    drawText(c, chancery, "Einstellungen", 400, 120, {72, EAlign::Centre, goldShade(66, 124), rgb8(255, 150, 90), 10, 0.4f});
    paintFlourish(c, 400, 150, 170);
    paintSettingRow(c, chancery, italic, kLandscapeSelector, "Landschaft", "Mondsee, Herbstwald, Winternacht,",
                    "Sommerabend – oder der Zufall");
    paintSettingRow(c, chancery, italic, kMusicSelector, "Musik", "Die Melodie des Spiegels", "an oder aus");
    paintFlourish(c, 400, 505, 120);
    drawText(c, italic, kFooter, 400, 536, {17, EAlign::Centre, solid(kLilac * 0.85f), rgb8(0, 0, 0), 2, 0.5f, false});
    return art;
}

SScreenArt paintHelpScreen()
{
    SScreenArt art{paintNightBackdrop(951), CMask()};
    CCanvas& c = art.picture;
    const CFont chancery(ETypeface::Chancery);
    const CFont serif(ETypeface::Serif);
    const CFont italic(ETypeface::SerifItalic);
    const SBox panel{60, 104, 740, 520};
    std::vector<std::pair<std::string, float>> lines;
    float y = 146;
    for (const char* text : kHelpParagraphs) {
        for (const std::string& line : serif.wrap(text, kHelpTextSize, 600)) {
            lines.emplace_back(line, y);
            y += kHelpTextSize * 1.38f;
        }
        y += kHelpTextSize * 0.55f;
    }
    // The closing line stays clear of the back button the program draws at the lower right.
    const float closingY = y + 32;
    const SBox closing = textBox(italic, kClosingLine, 380, closingY, 16, EAlign::Centre);
    // In both upper corners beside the title, and up the left edge beside the panel.
    art.vines = paintRoseVines(c,
                               {{{6, 606}, {0.08f, -0.997f}, 150, 952, 6},
                                {{806, -6}, {-0.3f, 0.954f}, 200, 953, 8},
                                {{-6, -6}, {0.7f, 0.714f}, 110, 954}},
                               helpKeepOut(chancery, panel, closing));
    drawText(c, chancery, kHelpTitle, 400, 78, {50, EAlign::Centre, goldShade(40, 82), rgb8(255, 150, 90), 8, 0.35f});
    paintPanel(c, panel.left, panel.top, panel.right, panel.bottom, 0.55f);
    for (const auto& [line, baseline] : lines)
        drawText(c, serif, line, 100, baseline,
                 {kHelpTextSize, EAlign::Left, solid(kParchmentText), rgb8(0, 0, 0), 2, 0.6f, false});
    paintFlourish(c, 380, y + 2, 90);
    drawText(c, italic, kClosingLine, 380, closingY, {16, EAlign::Centre, solid(kLilac), rgb8(0, 0, 0), 2, 0.5f, false});
    return art;
}

} // namespace assetgen
