#include "shell/CApplication.h"
#include "shell/MenuLayout.h"
#include "shell/PictureTrouble.h"

#include "oracle/Random.h"

#include <cstdio>

void CApplication::progressStep()
{
    if (state_.showLoaderProgress) {
        loader_.step();
    }
}

std::unique_ptr<CFrameSet> CApplication::makeFrameSet()
{
    return std::unique_ptr<CFrameSet>(new (std::nothrow)
                                          CFrameSet(frameStepCounter_, [this] { loader_.step(); }));
}

void CApplication::loadGraphics()
{
    progressStep();
    loadBackground();
    progressStep();
    scene_.dancer().load();
    progressStep();
    loadSceneSurfaces();
    loadBoxes();
    loadFullScreenPictures();
    loadButtons();
    titleMenu_.makeHotspots();
    progressStep();
    loadCursorAndMenu();
}

void CApplication::loadBackground()
{
    const auto back = static_cast<std::uint32_t>(loadSetting("back", 0));
    std::uint32_t landscape = back + 1;
    if (back >= 4) {
        seedRandom(static_cast<std::uint32_t>(platform_.clock().calendarSeconds()));
        landscape = static_cast<std::uint32_t>(drawRandom() % 4) + 1;
    }
    char name[40];
    std::snprintf(name, sizeof name, "gfx\\landschaft%u.jpg", landscape);
    state_.dancerX = landscape == 2 ? 580 : 200;
    state_.dancerY = landscape == 2 ? 320 : 335;
    graphics_.background.reset();
    graphics_.background = makeAsset<CSurface>();
    if (!graphics_.background) {
        logs_.writeErrorLog("can't load background", true);
        return;
    }
    graphics_.background->LoadImage(*screen_, platformPath(name), kAnyMemory);
}

void CApplication::loadSceneSurfaces()
{
    graphics_.door = makeAsset<CSurface>();
    if (!graphics_.door) {
        logs_.writeErrorLog("loadGraphics: door konnte nicht erzeugt werden", false);
    } else if (graphics_.door->LoadImage(*screen_, platformPath("gfx\\tor.bmp"), kAnyMemory) < 0) {
        logPictureFailure("loadGraphics: tor konnte nicht geladen werden", false, "gfx\\tor.bmp");
    } else {
        // The gate's window is keyed by a pixel inside it, not by the corner.
        graphics_.door->Lock();
        const std::uint32_t key = graphics_.door->getPixel(15, 55);
        graphics_.door->Unlock();
        graphics_.door->SetColorKey(key);
    }
    progressStep();

    graphics_.effectSurface = makeAsset<CSurface>();
    if (!graphics_.effectSurface) {
        logs_.writeErrorLog("loadGraphics: effectSurface konnte nicht erzeugt werden", false);
    } else if (graphics_.effectSurface->Create(*screen_, 69, 80, kAnyMemory) < 0) {
        logs_.writeErrorLog("loadGraphics: effectSurface konnte nicht angelegt werden", false);
    } else {
        graphics_.effectSurface->Fill(0);
    }
    progressStep();

    if ((graphics_.flameLeft = makeFrameSet())) {
        graphics_.flameLeft->loadFrames(*screen_, "gfx\\f1", 10, kAnyMemory, logs_);
        graphics_.flameLeft->setPosition(369, 352);
        graphics_.flameLeft->setFrame(1);
    }
    progressStep();
    if ((graphics_.flameRight = makeFrameSet())) {
        graphics_.flameRight->loadFrames(*screen_, "gfx\\f2", 10, kAnyMemory, logs_);
        graphics_.flameRight->setPosition(496, 352);
        graphics_.flameRight->setFrame(1);
    }
    progressStep();
}

// The question and the answer box: a template picture and a 500 x 100 surface it is copied
// onto, on which each frame composes the text.
void CApplication::loadBoxes()
{
    struct SBoxPictures {
        std::unique_ptr<CSurface>& templ;
        std::unique_ptr<CSurface>& box;
        const char* noTemplateObject;
        const char* templateFailed;
        const char* noBoxObject;
        const char* boxFailed;
    };
    const SBoxPictures boxes[] = {
        {graphics_.qboxTemplate, graphics_.qbox, "loadGraphics: qboxTemplate konnte nicht erzeugt werden",
         "loadGraphics: qbox konnte nicht geladen werden",
         "loadGraphics: qbox konnte nicht erzeugt werden (no mem)",
         "loadGraphics: qbox konnte erzeugt werden"},
        {graphics_.aboxTemplate, graphics_.abox, "loadGraphics: aboxTemplate konnte nicht erzeugt werden",
         "loadGraphics: abox konnte nicht geladen werden",
         "loadGraphics: abox konnte nicht erzeugt werden (no mem)",
         "loadGraphics: abox konnte erzeugt werden"},
    };
    for (const SBoxPictures& entry : boxes) {
        entry.templ = makeAsset<CSurface>();
        if (!entry.templ) {
            logs_.writeErrorLog(entry.noTemplateObject, false);
        } else if (entry.templ->LoadImage(*screen_, platformPath("gfx\\eingabe.bmp"), kAnyMemory) < 0) {
            logPictureFailure(entry.templateFailed, false, "gfx\\eingabe.bmp");
        }
        entry.box = makeAsset<CSurface>();
        if (!entry.box) {
            logs_.writeErrorLog(entry.noBoxObject, false);
        } else if (entry.box->Create(*screen_, 500, 100, kAnyMemory) < 0) {
            logs_.writeErrorLog(entry.boxFailed, false);
        } else if (entry.templ) {
            entry.templ->Opaque(*entry.box, 0, 0);
        }
        progressStep();
    }
}

void CApplication::loadFullScreenPictures()
{
    graphics_.backConfig = makeAsset<CSurface>();
    if (!graphics_.backConfig) {
        logs_.writeErrorLog("kein Speicher f\xFCr backConfig", true);
    } else {
        graphics_.backConfig->LoadImage(*screen_, platformPath("gfx\\mi_einstellungen.jpg"), kAnyMemory);
    }
    graphics_.backMain = makeAsset<CSurface>();
    if (!graphics_.backMain) {
        logs_.writeErrorLog("kein Speicher f\xFCr backMain", true);
    } else if (graphics_.backMain->LoadImage(*screen_, platformPath("gfx\\mi_titel2.jpg"), kAnyMemory) < 0) {
        logPictureFailure("kann backMain nicht laden", true, "gfx\\mi_titel2.jpg");
    }
    progressStep();
    graphics_.backHelp = makeAsset<CSurface>();
    if (!graphics_.backHelp) {
        logs_.writeErrorLog("kein Speicher f\xFCr backHelp", true);
    } else {
        graphics_.backHelp->LoadImage(*screen_, platformPath("gfx\\mi_help.jpg"), kAnyMemory);
    }
    progressStep();
}

// A button's object and tile sheet; false when the picture did not load.
bool CApplication::loadButton(std::unique_ptr<CCycleButton>& button, const SButtonPicture& entry)
{
    button = makeAsset<CCycleButton>();
    if (!button) {
        if (entry.noMemoryMessage) {
            logs_.writeErrorLog(entry.noMemoryMessage, true);
        }
        return false;
    }
    if (button->CreateTiles(*screen_, platformPath(entry.file), entry.tileWidth, entry.tileHeight,
                            entry.tileCount, kAnyMemory) < 0) {
        if (entry.failureMessage) {
            logPictureFailure(entry.failureMessage, true, entry.file);
        }
        return false;
    }
    if (entry.keyFromCorner) {
        button->tiles()->SetColorKeyFromCorner();
    }
    return true;
}

void CApplication::loadButtons()
{
    loadButton(graphics_.mb_back, {"gfx\\mb_back.bmp", 58, 58, 5, true, "kein Speicher f\xFCr mb_back",
                                   "kann mb_back nicht laden"});
    loadButton(graphics_.mb_gender, {"gfx\\mb_gender.bmp", 58, 58, 2, false, nullptr, nullptr});
    loadButton(graphics_.mb_music, {"gfx\\mb_music.bmp", 58, 58, 2, true, nullptr, nullptr});
    loadButton(graphics_.mb_zurueck, {"gfx\\mb_zurueck.bmp", menu_layout::kBackButtonWidth, menu_layout::kBackButtonHeight, 1,
                                      false, nullptr, nullptr});
    // The title menu draws these entries itself; their files are still required.
    loadButton(graphics_.mb_einstellungen, {"gfx\\mb_einstellungen.bmp", 178, 32, 1, false, nullptr, "mb_einstellungen"});
    loadButton(graphics_.mb_internet, {"gfx\\mb_internet.bmp", 178, 32, 1, false, nullptr, "mb_internet"});
    loadButton(graphics_.mb_hilfe, {"gfx\\mb_hilfe.bmp", 77, 32, 1, false, nullptr, "mb_hilfe"});
    loadButton(graphics_.mb_start, {"gfx\\mb_start.bmp", 77, 32, 1, false, nullptr, "mb_start"});
    placeButtons();
    progressStep();
}

void CApplication::placeButtons()
{
    if (CCycleButton* back = graphics_.mb_back.get()) {
        back->setPosition(menu_layout::kLandscapeSelector.left, menu_layout::kLandscapeSelector.top);
        back->setMaxValue(4);
    }
    if (CCycleButton* gender = graphics_.mb_gender.get()) {
        gender->setPosition(145, 340);
        gender->setMaxValue(1);
    }
    if (CCycleButton* music = graphics_.mb_music.get()) {
        music->setPosition(menu_layout::kMusicSelector.left, menu_layout::kMusicSelector.top);
        music->setMaxValue(1);
        music->setRightClickActs(true);
        music->setAction([this] { music_.Toggle(); });
    }
    if (CCycleButton* zurueck = graphics_.mb_zurueck.get()) {
        zurueck->setPosition(menu_layout::kBackButtonOnMenus.left, menu_layout::kBackButtonOnMenus.top);
        zurueck->setAction([this] { backToMenu(); });
    }
}

void CApplication::loadCursorAndMenu()
{
    loadButton(graphics_.mb_ende, {"gfx\\mb_ende.bmp", 77, 32, 1, false, nullptr, "mb_ende"});
    graphics_.cursor = makeAsset<CSprite>();
    if (graphics_.cursor) {
        if (graphics_.cursor->CreateTiles(*screen_, platformPath("gfx\\cursor.bmp"), 20, 23, 1, kAnyMemory) >= 0) {
            graphics_.cursor->tiles()->SetColorKeyFromCorner();
        }
        graphics_.cursor->setPosition(70, 250);
        graphics_.cursor->setFrame(0);
    }
    progressStep();
    if ((graphics_.menuFrames = makeFrameSet())) {
        graphics_.menuFrames->loadFrames(*screen_, "gfx\\menu", 6, kAnyMemory, logs_);
        graphics_.menuFrames->setPosition(0, 230);
        graphics_.menuFrames->setFrame(1);
    }
    progressStep();
}

void CApplication::releaseGraphics()
{
    graphics_ = SGraphics{};
    state_.dancerLoaded = false;
    menuFrameComposedFor_.reset();
}

void CApplication::reloadGraphics()
{
    auto valueOf = [](const std::unique_ptr<CCycleButton>& button) {
        return button ? std::optional<std::int32_t>(button->value()) : std::nullopt;
    };
    const std::optional<std::int32_t> back = valueOf(graphics_.mb_back);
    const std::optional<std::int32_t> gender = valueOf(graphics_.mb_gender);
    const std::optional<std::int32_t> music = valueOf(graphics_.mb_music);
    releaseGraphics();
    loadGraphics();
    auto restore = [](const std::unique_ptr<CCycleButton>& button, std::optional<std::int32_t> value) {
        if (button && value) {
            button->setValue(*value);
        }
    };
    restore(graphics_.mb_back, back);
    restore(graphics_.mb_gender, gender);
    restore(graphics_.mb_music, music);
}

void CApplication::logPictureFailure(const std::string& message, bool fatal, std::string_view fileName)
{
    logs_.writeErrorLog(message, false);
    // Only the reason of this very picture: an earlier refusal may have gone without a message.
    if (pictureFailure_ && pictureFailure_->fileName == platformPath(std::string(fileName))) {
        logs_.writeErrorLog(std::string(fileName) + ": " + pictureTroubleInGerman(pictureFailure_->reason), false);
    }
    pictureFailure_.reset();
    if (fatal) {
        logs_.showFatalError(message);
    }
}
