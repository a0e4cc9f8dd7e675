#include "CFakeAudioDevice.h"

#include <string>

namespace {

std::uint32_t checksumOf(std::span<const std::uint8_t> bytes)
{
    std::uint32_t sum = 2166136261u;
    for (std::uint8_t byte : bytes) {
        sum = (sum ^ byte) * 16777619u;
    }
    return sum;
}

bool looksLikeOgg(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= 4 && bytes[0] == 'O' && bytes[1] == 'g' && bytes[2] == 'g' && bytes[3] == 'S';
}

} // namespace

bool CFakeAudioDevice::init(int mixRate, int channels)
{
    calls_.push_back("init " + std::to_string(mixRate) + " " + std::to_string(channels));
    initialised_ = !noDevice_;
    return initialised_;
}

SAudioStream CFakeAudioDevice::openLoopingStream(std::span<const std::uint8_t> bytes)
{
    if (!initialised_ || !looksLikeOgg(bytes)) {
        calls_.push_back("open refused");
        return {};
    }
    const int id = nextId_++;
    streams_[id] = SOpenStream{bytes, checksumOf(bytes)};
    calls_.push_back("open " + std::to_string(id) + " (" + std::to_string(bytes.size()) + " bytes)");
    return SAudioStream{id};
}

bool CFakeAudioDevice::play(SAudioStream stream)
{
    const auto found = streams_.find(stream.id);
    if (!initialised_ || failPlay_ || found == streams_.end()) {
        calls_.push_back("play " + std::to_string(stream.id) + " failed");
        return false;
    }
    checkBytes(found->second);
    playing_ = stream;
    calls_.push_back("play " + std::to_string(stream.id));
    return true;
}

void CFakeAudioDevice::stopAll()
{
    playing_ = {};
    calls_.push_back("stop all");
}

void CFakeAudioDevice::close(SAudioStream stream)
{
    const auto found = streams_.find(stream.id);
    if (found == streams_.end()) {
        return;
    }
    checkBytes(found->second);
    streams_.erase(found);
    if (playing_ == stream) {
        playing_ = {};
    }
    calls_.push_back("close " + std::to_string(stream.id));
}

void CFakeAudioDevice::beep()
{
    beeps_ += initialised_ ? 1 : 0;
    calls_.push_back("beep");
}

void CFakeAudioDevice::checkBytes(const SOpenStream& stream)
{
    corruptions_ += checksumOf(stream.bytes) != stream.checksum ? 1 : 0;
}
