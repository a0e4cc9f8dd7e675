// The settings and help screens, in the title's style. The settings screen frames the places
// where the program draws its two selectors and says what they do.
#include "pictures/Painting.h"
#include "pictures/Shapes.h"
#include "pictures/Ui.h"

namespace assetgen {

namespace {

// The program draws the selectors at these places, 58 pixels square.
const Vec2 kLandscapeSelector{374, 250};
const Vec2 kMusicSelector{374, 395};

void paintSelectorSeat(CCanvas& c, Vec2 at)
{
    const Vec2 centre = at + Vec2{29, 29};
    addGlow(c, centre, 40, rgb8(120, 70, 160), 0.35f);
    paintSdf(c, at.x - 10, at.y - 10, at.x + 68, at.y + 68,
             [centre](Vec2 p) { return std::abs(sdRoundBox(p, centre, {36, 36}, 12)) - 0.8f; },
             [](Vec2 p) { return goldTone(clamp01((p.y - 240) / 260)); });
}

void paintSettingRow(CCanvas& c, const CFont& title, const CFont& italic, Vec2 selector, const char* label,
                     const char* line1, const char* line2)
{
    paintSelectorSeat(c, selector);
    drawText(c, title, label, selector.x - 40, selector.y + 40,
             {40, Align::Right, goldShade(selector.y + 8, selector.y + 42), rgb8(255, 150, 90), 6, 0.35f});
    const TextStyle hint{18, Align::Left, solid(kLilac), rgb8(0, 0, 0), 2, 0.6f, false};
    drawText(c, italic, line1, selector.x + 96, selector.y + 26, hint);
    drawText(c, italic, line2, selector.x + 96, selector.y + 48, hint);
}

} // namespace

CCanvas paintSettingsScreen()
{
    CCanvas c = paintNightBackdrop(901);
    paintRoseVine(c, {0, 0}, {0.8f, 0.6f}, 170, 902);
    paintRoseVine(c, {800, 600}, {-0.55f, -0.83f}, 150, 903);
    const CFont chancery(Typeface::Chancery);
    const CFont italic(Typeface::SerifItalic);
    drawText(c, chancery, "Einstellungen", 400, 120, {72, Align::Centre, goldShade(66, 124), rgb8(255, 150, 90), 10, 0.4f});
    paintFlourish(c, 400, 150, 170);
    paintSettingRow(c, chancery, italic, kLandscapeSelector, "Landschaft", "Mondsee, Herbstwald, Winternacht,",
                    "Sommerabend – oder der Zufall");
    paintSettingRow(c, chancery, italic, kMusicSelector, "Musik", "Die Melodie des Spiegels", "an oder aus");
    paintFlourish(c, 400, 505, 120);
    drawText(c, italic, "Linksklick blättert vorwärts, Rechtsklick zurück.", 400, 536,
             {17, Align::Centre, solid(kLilac * 0.85f), rgb8(0, 0, 0), 2, 0.5f, false});
    return c;
}

CCanvas paintHelpScreen()
{
    CCanvas c = paintNightBackdrop(951);
    paintRoseVine(c, {0, 600}, {0.6f, -0.8f}, 150, 952);
    paintRoseVine(c, {800, 0}, {-0.8f, 0.6f}, 140, 953);
    const CFont chancery(Typeface::Chancery);
    const CFont serif(Typeface::Serif);
    const CFont italic(Typeface::SerifItalic);
    drawText(c, chancery, "So befragst du den Minnespiegel", 400, 78,
             {50, Align::Centre, goldShade(40, 82), rgb8(255, 150, 90), 8, 0.35f});
    paintPanel(c, 60, 104, 740, 520, 0.55f);
    const std::vector<const char*> paragraphs{
        "Wähle im Hauptmenü „Start“. Vor dem alten Steintor, zwischen zwei Fackeln, tanzt die Hüterin des Spiegels.",
        "Schreibe deine Frage in die Schriftrolle am unteren Rand, so wie du sie einem vertrauten Menschen stellen "
        "würdest, und drücke die Eingabetaste.",
        "Deine Frage fliegt in das Tor, das Tor erglüht – und der Spiegel antwortet dir in der Schriftrolle. Ein "
        "Mausklick oder die Eingabetaste macht den Weg frei für die nächste Frage.",
        "Unter „Einstellungen“ wählst du die Landschaft (Mondsee, Herbstwald, Winternacht, Sommerabend oder jedes "
        "Mal eine andere) und schaltest die Musik an oder aus.",
        "„Zurück“ bringt dich jederzeit ins Hauptmenü. Die Taste Esc beendet den Minnespiegel sofort.",
    };
    const float size = 19;
    float y = 146;
    for (const char* text : paragraphs) {
        for (const std::string& line : serif.wrap(text, size, 600)) {
            drawText(c, serif, line, 100, y, {size, Align::Left, solid(kParchmentText), rgb8(0, 0, 0), 2, 0.6f, false});
            y += size * 1.38f;
        }
        y += size * 0.55f;
    }
    // The closing line stays clear of the back button the program draws at (700, 555).
    paintFlourish(c, 380, y + 2, 90);
    drawText(c, italic, "Was der Spiegel sagt, sagt er mit einem Augenzwinkern – dein Herz weiß es am besten.", 380,
             y + 32, {16, Align::Centre, solid(kLilac), rgb8(0, 0, 0), 2, 0.5f, false});
    return c;
}

} // namespace assetgen
