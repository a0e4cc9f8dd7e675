#include "music/CMusicPlayer.h"

namespace {

constexpr int kMixRate = 44100;
constexpr int kChannels = 32;
constexpr const char* kPackageName = "resource.dat";
constexpr const char* kSongType = "ogg";
const std::string kDefaultSong = "music.ogg";

} // namespace

CMusicPlayer::CMusicPlayer(IAudioDevice& audio, CLogs& logs, std::filesystem::path folder)
    : audio_(audio), logs_(logs), folder_(std::move(folder))
{
    if (!audio_.init(kMixRate, kChannels)) {
        Disable();
    }
}

CMusicPlayer::~CMusicPlayer()
{
    closeStream();
}

void CMusicPlayer::AddSong(std::string name)
{
    if (!disabled_) {
        songs_.push_back(std::move(name));
    }
}

void CMusicPlayer::Start()
{
    if (disabled_) {
        return;
    }
    songIndex_ = 0;
    PlayNext();
}

// Each step runs even when an earlier one failed, on empty values, and reports its own
// failure: a missing package leaves one line for every step in the error log.
void CMusicPlayer::PlayNext()
{
    if (disabled_) {
        return;
    }
    ++songIndex_;
    if (songIndex_ > static_cast<int>(songs_.size()) || songIndex_ < 1) {
        songIndex_ = 1;
    }
    packageName_ = kPackageName;
    const std::string song = currentSongName();
    // A stream left over from a failed start must not linger or outlive its bytes.
    closeStream();
    const std::optional<std::span<const std::uint8_t>> bytes = songBytes(song);
    stream_ = audio_.openLoopingStream(bytes.value_or(std::span<const std::uint8_t>()));
    if (!stream_) {
        failWith("cannot open song for streaming");
    }
    if (!audio_.play(stream_)) {
        failWith("cannot play song");
    }
}

void CMusicPlayer::Toggle()
{
    if (!disabled_) {
        disabled_ = true;
        audio_.stopAll();
        closeStream();
    } else {
        disabled_ = false;
        audio_.stopAll();
        PlayNext();
    }
}

const std::string& CMusicPlayer::currentSongName() const
{
    if (songIndex_ >= 1 && songIndex_ <= static_cast<int>(songs_.size())) {
        return songs_[static_cast<std::size_t>(songIndex_) - 1];
    }
    return kDefaultSong;
}

std::optional<std::span<const std::uint8_t>> CMusicPlayer::songBytes(const std::string& song)
{
    if (!package_.IsLoaded()) {
        package_.SetName(folder_.empty() ? std::filesystem::path(packageName_) : folder_ / packageName_);
        if (!package_.Load()) {
            failWith("Could not load bonus package");
        }
    }
    const std::optional<SResourceLocation> found = package_.Find(song, kSongType);
    if (!found) {
        failWith(song + ": cannot find song within bonus package");
    }
    const std::optional<std::span<const std::uint8_t>> bytes =
        found ? package_.Data(*found) : std::nullopt;
    if (!bytes) {
        failWith(song + ": cannot load song from bonus package");
    }
    return bytes;
}

void CMusicPlayer::failWith(const std::string& message)
{
    logs_.writeErrorLog(message, false);
    Disable();
}

void CMusicPlayer::closeStream()
{
    if (stream_) {
        audio_.close(stream_);
        stream_ = {};
    }
}
