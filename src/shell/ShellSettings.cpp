#include "shell/CApplication.h"

#include "settings/Settings.h"

std::int32_t CApplication::loadSetting(const char* name, std::int32_t fallback)
{
    std::int32_t value = fallback;
    LoadSetting(platform_.registry(), name, value);
    return value;
}

void CApplication::saveSetting(const char* name, std::int32_t value)
{
    SaveSetting(platform_.registry(), name, value);
}
