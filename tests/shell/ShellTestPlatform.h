#pragma once
// The shell without a system: a null display, a scripted input source, a fake sound device, a
// registry file and a manual clock, in a temporary working folder holding small pictures of
// every name the program loads.
#include "shell/CApplication.h"
#include "platform/ShellPlatform.h"

#include "common/Clock.h"
#include "graphics/GraphicsResult.h"
#include "graphics/NullDisplay.h"
#include "input/CScriptedInputSource.h"
#include "input/KeyCodes.h"
#include "CFakeAudioDevice.h"
#include "settings/CFileRegistryStore.h"
#include "MemoryRegistryFile.h"
#include "settings/Settings.h"
#include "song/PeResourceWriter.h"

#include "TempFolder.h"
#include "../image/PictureFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace shelltest {

namespace fs = std::filesystem;

inline void writeBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes)
{
    CTempFolder::writeFile(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

// Every picture of the program, small but of the sizes that matter (boxes, tile sheets, the
// cursor). The loader recognises pictures by content, so the ".jpg" files are BMPs here. Each
// loader frame has its own blue (40 times its number); the cursor is white; a keyed picture's
// top-left pixel, its key, is magenta.
inline void writeProgramPictures(const fs::path& folder)
{
    struct SPicture {
        std::string name;
        int width, height;
        std::uint32_t colour;
        bool keyed = false;
    };
    // clang-format off
    std::vector<SPicture> list{
        {"mi_titel2.jpg", 64, 48, 0x0A141E}, {"mi_einstellungen.jpg", 64, 48, 0x141E28},
        {"mi_help.jpg", 64, 48, 0x1E2832}, {"eingabe.bmp", 500, 100, 0xE6DCC8, true},
        {"mb_back.bmp", 290, 58, 0x010203, true}, {"mb_gender.bmp", 116, 58, 0x040506, true},
        {"mb_music.bmp", 116, 58, 0x070809, true}, {"cursor.bmp", 20, 23, 0xFFFFFF, true},
        {"mb_zurueck.bmp", 77, 32, 0x646400}, {"mb_hilfe.bmp", 77, 32, 0x030303}, {"mb_start.bmp", 77, 32, 0x040404},
        {"mb_ende.bmp", 77, 32, 0x050505}, {"mb_einstellungen.bmp", 178, 32, 0x010101},
        {"mb_internet.bmp", 178, 32, 0x020202}, {"tor.bmp", 69, 80, 0x5A5A5A}};
    // clang-format on
    const auto n = [](int i) { return std::uint32_t(i); };
    for (int i = 1; i <= 4; ++i) {
        list.push_back({"landschaft" + std::to_string(i) + ".jpg", 64, 48, n(40 * i) << 16 | 0x1E3C});
    }
    for (int i = 0; i < 67; ++i) {
        list.push_back({"m1_" + std::to_string(i) + ".bmp", 16, 24, n(i) << 16 | 0xC80A, true});
    }
    for (int i = 0; i < 10; ++i) {
        list.push_back({"f1_" + std::to_string(i) + ".bmp", 8, 8, 0xFA0000 | n(20 * i) << 8});
        list.push_back({"f2_" + std::to_string(i) + ".bmp", 8, 8, 0xF00000 | n(20 * i) << 8});
    }
    for (int i = 0; i < 6; ++i) {
        list.push_back({"Wait_" + std::to_string(i) + ".bmp", 8, 8, n(40 * i)});
        list.push_back({"menu_" + std::to_string(i) + ".bmp", 8, 8, n(40 * i) << 16});
    }
    for (const SPicture& p : list) {
        // The gate's window (and its key pixel at (15, 55)) is pure green.
        const auto pixel = [&p](int x, int y) {
            const bool window = p.name == "tor.bmp" && x > 5 && x < 60 && y > 5 && y < 70;
            return window ? 0x00FF00u : p.keyed && x == 0 && y == 0 ? 0xFF00FFu : p.colour;
        };
        const auto rows = pictures::dibRows(p.width, p.height, 3, pixel);
        writeBytes(folder / "gfx" / p.name,
                   pictures::makeBmp({.width = p.width, .height = p.height, .pixelData = rows}));
    }
}

// Written once per run and copied into each test's folder, where tests remove and damage them.
inline fs::path programPictures()
{
    static const CTempFolder shared{"shell-gfx"};
    static const bool written = (writeProgramPictures(shared.path()), true);
    return written ? shared.path() : fs::path{};
}

// Answers known in advance: one record with one answer for "LIEBE", one for "LANG" whose
// answer needs two lines, and the fallback; the help file's one answer is for "RITZ".
inline constexpr const char* kLoveAnswer = "Die Liebe findet ihren Weg.";
inline constexpr const char* kLongAnswer =
    "Wer lange fragt, dem antwortet der Spiegel mit vielen Worten, die kaum auf eine Zeile passen.";
inline constexpr const char* kFallbackAnswer = "Der Spiegel schweigt.";
inline constexpr const char* kHelpAnswer = "Hilfe: 116 111";

inline void writeKnowledgeFiles(const CTempFolder& folder)
{
    folder.write("sw.dat", std::string("Testwissen\r\n# Liebe\r\n\"LIEBE\"\r\n\"") + kLoveAnswer +
                               "\"\r\n# Lang\r\n\"LANG\"\r\n\"" + kLongAnswer + "\"\r\n# Nichts\r\n" +
                               "\"-NICHTS GEFUNDEN-\"\r\n\"" + kFallbackAnswer + "\"\r\n");
    folder.write("hv.dat", "\"ich\" \"du\"\r\n");
    folder.write("hilfe.dat", std::string("# Ritzen\r\n\"RITZ\"\r\n\"") + kHelpAnswer + "\"\r\n");
}

// A song package holding "music.ogg" of type "ogg": enough of an Ogg file for the fake device.
inline void writeSongPackage(const fs::path& path)
{
    std::vector<std::uint8_t> song{'O', 'g', 'g', 'S'};
    song.resize(512, 0x5A);
    writeBytes(path, buildResourceModule({SResourceItem{"OGG", "MUSIC.OGG", 0x0407, song}}));
}

// The log line of a picture file of gfx/ that is not there.
inline std::string missingPictureLine(const std::string& file)
{
    return "LoadImage: gfx/" + file + " konnte nicht geladen werden (cannot open the file: No such file or directory)";
}

struct SShownBox {
    std::string title;
    std::string text;
    EBoxIcon icon = EBoxIcon::Error;
    bool operator==(const SShownBox&) const = default;
};
inline void PrintTo(const SShownBox& box, std::ostream* out)
{
    *out << box.title << ": " << box.text;
}

// Takes scripted messages, counting the waits for one; records the boxes; every browser starts.
class CTestPlatform final : public IShellPlatform, IMessageQueue, IMessageBox, IBrowserLauncher {
public:
    CTestPlatform()
    {
        manualClock.setCounter(1'000'000'000);
        manualClock.setCalendarSeconds(1'700'000'000);
    }

    const IClock& clock() override { return manualClock; }
    IMessageQueue& messageQueue() override { return *this; }
    IMessageBox& messageBox() override { return *this; }
    IBrowserLauncher& browser() override { return *this; }
    IAudioDevice& audio() override { return audioDevice; }
    IRegistryStore& registry() override { return registry_; }
    std::optional<SMessage> takeMessage() override
    {
        if (messages.empty()) {
            return std::nullopt;
        }
        const SMessage message = messages.front();
        messages.pop_front();
        return message;
    }
    void waitForMessage() override { ++waits; }
    void show(const std::string& title, const std::string& text, EBoxIcon icon) override
    {
        boxes.push_back({title, text, icon});
    }
    SLaunchResult openAddress(const std::string&) override { return {}; }

    bool createMainWindow() override { return windowCanBeMade; }
    std::unique_ptr<IDisplay> createDisplay() override
    {
        if (!displayExists) {
            return nullptr;
        }
        auto made = std::make_unique<CNullDisplay>(refusals);
        made->setPresentHook([this](const std::uint8_t* pixels, std::int32_t pitch) {
            if (display->modeFormat() == ESurfaceFormat::Bgrx32) {
                blueAtLoader.push_back(pixels[180 * pitch + 240 * 4]);
            }
            ++presentedFrames;
        });
        display = made.get();
        return made;
    }
    std::unique_ptr<IFontRasterizer> createFonts() override { return std::make_unique<CNullFontRasterizer>(); }
    IInputSource* inputSource() override { return inputExists ? &input : nullptr; }
    void toggleWindowMode() override {}

    CManualClock manualClock;
    std::deque<SMessage> messages;
    int waits = 0;
    std::vector<SShownBox> boxes;
    CFakeAudioDevice audioDevice;
    CScriptedInputSource input;
    CNullDisplay::SRefusals refusals;
    CNullDisplay* display = nullptr; // owned by the screen: gone after shutdown
    int presentedFrames = 0;          // counted here, so it outlives the display
    // The blue of every presented frame at (240, 180), where the loader animation stands.
    std::vector<std::uint8_t> blueAtLoader;
    bool windowCanBeMade = true;
    bool displayExists = true;
    bool inputExists = true;
    // The user's settings, kept in memory.
    std::string registryText;

private:
    CFileRegistryStore registry_{std::make_unique<CMemoryRegistryFile>(registryText)};
};

// Runs each test in a fresh working folder with the pictures, the knowledge files and the
// song package.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::copy(programPictures() / "gfx", folder / "gfx");
        writeKnowledgeFiles(tempFolder);
        writeSongPackage(folder / "resource.dat");
        fs::current_path(folder);
    }
    void TearDown() override
    {
        app.reset();
        platform.reset();
        fs::current_path(previousFolder);
    }

    // A new run on a new platform, in the same folder, with a new error log.
    void restart()
    {
        app.reset();
        fs::remove(folder / "error_log.txt");
        platform = std::make_unique<CTestPlatform>();
    }
    void saveSetting(const char* name, std::int32_t value) { SaveSetting(platform->registry(), name, value); }
    std::optional<std::int32_t> storedSetting(const char* name)
    {
        std::int32_t value = 0;
        return LoadSetting(platform->registry(), name, value) ? std::optional<std::int32_t>(value) : std::nullopt;
    }

    // The program-wide objects, then WinMain's start: window, cInit. The window comes to the
    // front, as it does when it is shown.
    bool start(SLaunchOptions options = {})
    {
        app = std::make_unique<CApplication>(*platform);
        const bool running = app->startUp(options);
        app->handleMessage({EMessageKind::Activate, true});
        return running;
    }

    // One frame, `ms` milliseconds after the previous one.
    void frame(int ms = 15)
    {
        platform->manualClock.advanceMilliseconds(ms);
        app->renderFrame();
    }
    void frames(int count, int ms = 15)
    {
        for (int i = 0; i < count; ++i) {
            frame(ms);
        }
    }
    // The screen on show after `count` more frames.
    EScreen screenAfter(int count)
    {
        frames(count);
        return state().screenState;
    }
    void post(EMessageKind kind, bool flag = false) { platform->messages.push_back({kind, flag}); }

    // Moves the pointing spot (7, 2 inside the cursor picture) onto (x, y), as the pointer in a
    // window does.
    void pointAt(int x, int y)
    {
        platform->input.pointAt(x, y);
        frame();
    }
    void click(int x, int y, std::uint8_t button = 0)
    {
        pointAt(x, y);
        platform->input.pressMouseButton(button);
        frame();
        platform->input.releaseMouseButton(button);
        frame();
    }
    void clickStart() { click(50, 350); }
    void clickSettings() { click(50, 400); }
    void clickHelp() { click(50, 490); }
    void clickBack() { click(app->graphics().mb_zurueck->x() + 10, app->graphics().mb_zurueck->y() + 10); }
    // A key pressed (and held) for one frame.
    void pressKey(std::uint8_t scanCode, std::uint8_t character = 0)
    {
        platform->input.pressKey(scanCode, character);
        frame();
    }
    void pressEscape() { pressKey(ScanCode::Escape, 27); }

    // A key that types `text` (Windows-1252) when pressed, released in the next frame.
    void typeKey(std::uint8_t scanCode, const std::string& text)
    {
        platform->input.typeKey(scanCode, text);
        frame();
        platform->input.releaseKey(scanCode);
        frame();
    }
    // Any scan code serves for typing; a letter's own keeps the key tables honest.
    void typeText(const std::string& text)
    {
        static const std::string kRow = "qwertyuiop";
        for (const char c : text) {
            const std::size_t at = kRow.find(c);
            typeKey(at != std::string::npos ? static_cast<std::uint8_t>(16 + at) : 30, std::string(1, c));
        }
    }
    void pressEnter()
    {
        pressKey(ScanCode::Return, 13);
        platform->input.releaseKey(ScanCode::Return);
        frame();
    }

    SShellState& state() { return app->state(); }
    // The error log without its time stamps: one message per entry.
    std::vector<std::string> log() const
    {
        std::vector<std::string> messages;
        for (const std::string& line : CTempFolder::lines(folder / "error_log.txt")) {
            messages.push_back(line.substr(std::min<std::size_t>(26, line.size())));
        }
        return messages;
    }
    const std::vector<SShownBox>& boxes() const { return platform->boxes; }
    CNullDisplay& display() { return *platform->display; }

    CTempFolder tempFolder{"shell"};
    fs::path folder = tempFolder.path();
    fs::path previousFolder = fs::current_path();
    std::unique_ptr<CTestPlatform> platform = std::make_unique<CTestPlatform>();
    std::unique_ptr<CApplication> app;
};

} // namespace shelltest
