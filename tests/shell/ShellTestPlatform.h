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

#include <algorithm>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace shelltest {

namespace fs = std::filesystem;

// ---- Pictures ---------------------------------------------------------------------------

struct SColour {
    std::uint8_t r = 0, g = 0, b = 0;
};

// A 24-bit uncompressed BMP file; `pixelAt` gives each pixel's colour.
template <class PixelFunction>
void writeBmp(const fs::path& path, int width, int height, PixelFunction pixelAt)
{
    const auto rows = pictures::dibRows(width, height, 3, [&](int x, int y) {
        const SColour c = pixelAt(x, y);
        return std::uint32_t{c.r} << 16 | std::uint32_t{c.g} << 8 | c.b;
    });
    const auto file = pictures::makeBmp({.width = width, .height = height, .pixelData = rows});
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                static_cast<std::streamsize>(file.size()));
}

inline void writeFlatBmp(const fs::path& path, int width, int height, SColour colour)
{
    writeBmp(path, width, height, [colour](int, int) { return colour; });
}

// A picture whose top-left pixel (the colour key) is magenta and the rest `colour`.
inline void writeKeyedBmp(const fs::path& path, int width, int height, SColour colour)
{
    writeBmp(path, width, height, [colour](int x, int y) {
        return (x == 0 && y == 0) ? SColour{255, 0, 255} : colour;
    });
}

// Every picture of the program, small but of the sizes that matter (boxes, tile sheets, the
// cursor). The loader recognises pictures by content, so the ".jpg" files are BMPs here.
inline void writeProgramPictures(const fs::path& folder)
{
    const fs::path gfx = folder / "gfx";
    fs::create_directories(gfx);
    for (int n = 1; n <= 4; ++n) {
        writeFlatBmp(gfx / ("landschaft" + std::to_string(n) + ".jpg"), 64, 48,
                     SColour{static_cast<std::uint8_t>(40 * n), 30, 60});
    }
    writeFlatBmp(gfx / "mi_titel2.jpg", 64, 48, SColour{10, 20, 30});
    writeFlatBmp(gfx / "mi_einstellungen.jpg", 64, 48, SColour{20, 30, 40});
    writeFlatBmp(gfx / "mi_help.jpg", 64, 48, SColour{30, 40, 50});
    for (int i = 0; i < 67; ++i) {
        writeKeyedBmp(gfx / ("m1_" + std::to_string(i) + ".bmp"), 16, 24, SColour{static_cast<std::uint8_t>(i), 200, 10});
    }
    for (int i = 0; i < 10; ++i) {
        writeFlatBmp(gfx / ("f1_" + std::to_string(i) + ".bmp"), 8, 8, SColour{250, static_cast<std::uint8_t>(i * 20), 0});
        writeFlatBmp(gfx / ("f2_" + std::to_string(i) + ".bmp"), 8, 8, SColour{240, static_cast<std::uint8_t>(i * 20), 0});
    }
    // The gate: its window (and the key pixel at (15, 55)) is pure green.
    writeBmp(gfx / "tor.bmp", 69, 80, [](int x, int y) {
        return (x > 5 && x < 60 && y > 5 && y < 70) ? SColour{0, 255, 0} : SColour{90, 90, 90};
    });
    writeKeyedBmp(gfx / "eingabe.bmp", 500, 100, SColour{230, 220, 200});
    for (int i = 0; i < 6; ++i) {
        writeFlatBmp(gfx / ("Wait_" + std::to_string(i) + ".bmp"), 8, 8, SColour{0, 0, static_cast<std::uint8_t>(40 * i)});
        writeFlatBmp(gfx / ("menu_" + std::to_string(i) + ".bmp"), 8, 8, SColour{static_cast<std::uint8_t>(40 * i), 0, 0});
    }
    writeKeyedBmp(gfx / "mb_back.bmp", 290, 58, SColour{1, 2, 3});
    writeKeyedBmp(gfx / "mb_gender.bmp", 116, 58, SColour{4, 5, 6});
    writeKeyedBmp(gfx / "mb_music.bmp", 116, 58, SColour{7, 8, 9});
    writeFlatBmp(gfx / "mb_zurueck.bmp", 77, 32, SColour{100, 100, 0});
    writeFlatBmp(gfx / "mb_einstellungen.bmp", 178, 32, SColour{1, 1, 1});
    writeFlatBmp(gfx / "mb_internet.bmp", 178, 32, SColour{2, 2, 2});
    writeFlatBmp(gfx / "mb_hilfe.bmp", 77, 32, SColour{3, 3, 3});
    writeFlatBmp(gfx / "mb_start.bmp", 77, 32, SColour{4, 4, 4});
    writeFlatBmp(gfx / "mb_ende.bmp", 77, 32, SColour{5, 5, 5});
    writeKeyedBmp(gfx / "cursor.bmp", 20, 23, SColour{255, 255, 255});
}

// Answers known in advance: one record with one answer for "LIEBE", one for "LANG" whose
// answer needs two lines, and the fallback.
inline constexpr const char* kLoveAnswer = "Die Liebe findet ihren Weg.";
inline constexpr const char* kLongAnswer =
    "Wer lange fragt, dem antwortet der Spiegel mit vielen Worten, die kaum auf eine Zeile passen.";
inline constexpr const char* kFallbackAnswer = "Der Spiegel schweigt.";
// The help file's one answer, for questions that hold "RITZ".
inline constexpr const char* kHelpAnswer = "Hilfe: 116 111";

inline void writeKnowledgeFiles(const fs::path& folder)
{
    const std::string keywords = std::string("Testwissen\r\n") + "# Liebe\r\n\"LIEBE\"\r\n\"" + kLoveAnswer +
                                 "\"\r\n# Lang\r\n\"LANG\"\r\n\"" + kLongAnswer + "\"\r\n# Nichts\r\n" +
                                 "\"-NICHTS GEFUNDEN-\"\r\n\"" + kFallbackAnswer + "\"\r\n";
    std::ofstream(folder / "sw.dat", std::ios::binary) << keywords;
    std::ofstream(folder / "hv.dat", std::ios::binary) << "\"ich\" \"du\"\r\n";
    std::ofstream(folder / "hilfe.dat", std::ios::binary) << "# Ritzen\r\n\"RITZ\"\r\n\"" << kHelpAnswer << "\"\r\n";
}

// A song package holding "music.ogg" of type "ogg": enough of an Ogg file for the fake device.
inline void writeSongPackage(const fs::path& path)
{
    std::vector<std::uint8_t> song{'O', 'g', 'g', 'S'};
    song.resize(512, 0x5A);
    const std::vector<std::uint8_t> module = buildResourceModule({SResourceItem{"OGG", "MUSIC.OGG", 0x0407, song}});
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(module.data()), static_cast<std::streamsize>(module.size()));
}

inline std::string readFile(const fs::path& path) { return CTempFolder::read(path); }

// The error log without its time stamps: one message per entry.
inline std::vector<std::string> errorLogMessages(const fs::path& folder)
{
    std::vector<std::string> messages;
    const std::string text = readFile(folder / "error_log.txt");
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string line = text.substr(start, end - start);
        messages.push_back(line.size() >= 26 ? line.substr(26) : line);
        start = end + 2;
    }
    return messages;
}

// The log line of a picture file of gfx/ that is not there.
inline std::string missingPictureLine(const std::string& file)
{
    return "LoadImage: gfx/" + file + " konnte nicht geladen werden (cannot open the file: No such file or directory)";
}

// ---- Platform ---------------------------------------------------------------------------

class CScriptedMessages final : public IMessageQueue {
public:
    std::optional<SMessage> takeMessage() override
    {
        if (messages.empty()) {
            return std::nullopt;
        }
        SMessage message = messages.front();
        messages.pop_front();
        return message;
    }
    void waitForMessage() override { ++waits; }

    std::deque<SMessage> messages;
    int waits = 0;
};

struct SShownBox {
    std::string title;
    std::string text;
    EBoxIcon icon;
};

class CRecordingMessageBox final : public IMessageBox {
public:
    void show(const std::string& title, const std::string& text, EBoxIcon icon) override
    {
        boxes.push_back({title, text, icon});
    }
    std::vector<SShownBox> boxes;
};

class CRecordingBrowser final : public IBrowserLauncher {
public:
    SLaunchResult openAddress(const std::string& address) override
    {
        addresses.push_back(address);
        return refusal ? SLaunchResult{false, *refusal} : SLaunchResult{};
    }
    std::vector<std::string> addresses;
    std::optional<std::string> refusal; // set: no browser can be started, for this reason
};

class CTestPlatform final : public IShellPlatform {
public:
    CTestPlatform()
    {
        manualClock.setCounter(1'000'000'000);
        manualClock.setCalendarSeconds(1'700'000'000);
    }

    const IClock& clock() override { return manualClock; }
    IMessageQueue& messageQueue() override { return messages; }
    IMessageBox& messageBox() override { return boxes; }
    IBrowserLauncher& browser() override { return browserLauncher; }
    IAudioDevice& audio() override { return audioDevice; }
    IRegistryStore& registry() override { return registry_; }

    bool createMainWindow() override
    {
        ++windowsCreated;
        return windowCanBeMade;
    }
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
    void toggleWindowMode() override { ++windowModeToggles; }

    CManualClock manualClock;
    CScriptedMessages messages;
    CRecordingMessageBox boxes;
    CRecordingBrowser browserLauncher;
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
    int windowsCreated = 0;
    int windowModeToggles = 0;

    // The user's settings, kept in memory; a test can make every write fail.
    std::string registryText;
    CMemoryRegistryFile* registryFile = nullptr;

private:
    CFileRegistryStore registry_{makeRegistryFile()};

    std::unique_ptr<IRegistryFile> makeRegistryFile()
    {
        auto file = std::make_unique<CMemoryRegistryFile>(registryText);
        registryFile = file.get();
        return file;
    }
};

// ---- Fixture ----------------------------------------------------------------------------

// Runs each test in a fresh working folder with the pictures, the knowledge files and (where
// the build made one) the song package.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = tempFolder.path();
        writeProgramPictures(folder);
        writeKnowledgeFiles(folder);
        writeSongPackage(folder / "resource.dat");
        previousFolder = fs::current_path();
        fs::current_path(folder);
        platform = std::make_unique<CTestPlatform>();
    }

    void TearDown() override
    {
        app.reset();
        platform.reset();
        fs::current_path(previousFolder);
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
    void clickHomePage() { click(50, 450); }
    void clickHelp() { click(50, 490); }
    void clickEnd() { click(50, 530); }
    void clickBack()
    {
        const CSprite& back = *app->graphics().mb_zurueck;
        click(back.x() + 10, back.y() + 10);
    }

    // A key that types `text` (Windows-1252) when pressed, released in the next frame.
    void typeKey(std::uint8_t scanCode, const std::string& text)
    {
        platform->input.typeKey(scanCode, text);
        frame();
        platform->input.releaseKey(scanCode);
        frame();
    }
    void typeText(const std::string& text)
    {
        for (const char c : text) {
            typeKey(scanCodeFor(c), std::string(1, c));
        }
    }
    // Any scan code serves for typing; a letter's own keeps the key tables honest.
    static std::uint8_t scanCodeFor(char c)
    {
        static const std::string kRow = "qwertyuiop";
        const std::size_t at = kRow.find(c);
        return at != std::string::npos ? static_cast<std::uint8_t>(16 + at) : 30;
    }
    void pressEnter()
    {
        platform->input.pressKey(ScanCode::Return, 13);
        frame();
        platform->input.releaseKey(ScanCode::Return);
        frame();
    }

    SShellState& state() { return app->state(); }
    std::vector<std::string> log() const { return errorLogMessages(folder); }

    CTempFolder tempFolder{"shell"};
    fs::path folder;
    fs::path previousFolder;
    std::unique_ptr<CTestPlatform> platform;
    std::unique_ptr<CApplication> app;
};

} // namespace shelltest
