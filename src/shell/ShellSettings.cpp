#include "shell/CApplication.h"

#include "settings/Settings.h"

#include <string_view>

namespace {

struct SSettingRange {
    std::string_view name;
    std::int32_t lowest;
    std::int32_t highest;
};

// The states of the settings screen's selectors; "cd" takes any number, unknown ones choosing
// the depth automatically.
constexpr SSettingRange kSettingRanges[] = {{"back", 0, 4}, {"dancer", 0, 1}, {"music", 0, 1}};

bool outOfRange(std::string_view name, std::int32_t value)
{
    for (const SSettingRange& range : kSettingRanges) {
        if (range.name == name) {
            return value < range.lowest || value > range.highest;
        }
    }
    return false;
}

} // namespace

// A value no selector has (a hand-edited or damaged file) counts as missing, so every reader
// sees the same default instead of an empty selector or a scene chosen by accident.
std::int32_t CApplication::loadSetting(const char* name, std::int32_t fallback)
{
    std::int32_t value = fallback;
    LoadSetting(platform_.registry(), name, value);
    return outOfRange(name, value) ? fallback : value;
}

// A choice that cannot be kept is logged with the reason, so a user can find out why the next
// start forgot it.
void CApplication::saveSetting(const char* name, std::int32_t value)
{
    std::string failure;
    if (!SaveSetting(platform_.registry(), name, value, &failure)) {
        logs_.writeErrorLog(std::string("SaveSetting: ") + name + " konnte nicht gespeichert werden (" + failure + ")",
                            false);
    }
}
