// Any bytes as a song package: parsing and every lookup must stay within the bytes.
#include "music/CPeImage.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::optional<CPeImage> image = CPeImage::parse(std::vector<std::uint8_t>(data, data + size));
    if (!image) {
        return 0;
    }
    static constexpr std::pair<const char*, const char*> kLookups[] = {
        {"music.ogg", "ogg"}, {"MUSIC.OGG", "OGG"}, {"#1", "#10"}, {"x", "#3"}, {"\xE4", "\xFC"}};
    for (const auto& [name, type] : kLookups) {
        if (const auto location = image->find(name, type)) {
            if (const auto bytes = image->bytesOf(*location)) {
                // Touch every byte, so a span past the end is caught.
                volatile std::uint8_t sum = 0;
                for (std::uint8_t byte : *bytes) {
                    sum = static_cast<std::uint8_t>(sum + byte);
                }
            }
        }
    }
    return 0;
}
