#pragma once
#include "diagnostics/CLogs.h"
#include "music/IAudioDevice.h"
#include "music/CResourceModule.h"

#include <filesystem>
#include <string>
#include <vector>

// The background music: one looping song taken from the song package "resource.dat" and
// streamed by the audio device. No operation reports a result; every failure is written to
// the error log and leaves the player silent ("disabled"), and the rest of the program goes
// on as before.
class CMusicPlayer {
public:
    // Starts the audio device; when it cannot start, the player is silent from the outset
    // and says nothing. The package is looked for in `folder` (empty: the working folder).
    // The device and the logs must outlive the player.
    CMusicPlayer(IAudioDevice& audio, CLogs& logs, std::filesystem::path folder = {});
    // Closes the stream before the package memory it plays from goes away.
    ~CMusicPlayer();
    CMusicPlayer(const CMusicPlayer&) = delete;
    CMusicPlayer& operator=(const CMusicPlayer&) = delete;

    // Adds a song by its resource name; dropped while the player is disabled.
    void AddSong(std::string name);
    // Starts the first song, unless disabled.
    void Start();
    // Starts the next song (wrapping to the first) from its beginning, unless disabled.
    void PlayNext();
    // Music off when it plays, on (from the beginning) when it is off.
    void Toggle();
    // Silent from now on; nothing is stopped.
    void Disable() { disabled_ = true; }

    bool disabled() const { return disabled_; }
    int songIndex() const { return songIndex_; }
    std::size_t songCount() const { return songs_.size(); }

private:
    const std::string& currentSongName() const;
    // Loads the package if needed and gives the song's bytes, logging each step that fails.
    std::optional<std::span<const std::uint8_t>> songBytes(const std::string& song);
    void failWith(const std::string& message);
    void closeStream();

    IAudioDevice& audio_;
    CLogs& logs_;
    std::filesystem::path folder_;
    int songIndex_ = -1;
    std::vector<std::string> songs_;
    std::string packageName_;
    bool disabled_ = false;
    CResourceModule package_;
    SAudioStream stream_;
};
