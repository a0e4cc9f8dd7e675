#pragma once
#include <cstdint>
#include <string_view>

#include "settings/IRegistryStore.h"

// The program's stored settings, all 32-bit numbers under
// HKEY_CURRENT_USER\Software\Velmora\Minnespiegel\2004: "back", "dancer", "music", "cd".
// Neither call throws or logs; each opens and closes the key by itself.

// True when the value was written.
bool SaveSetting(IRegistryStore& registry, std::string_view name, std::int32_t value);

// True when the value was read into `out`; on any failure `out` keeps what it held.
bool LoadSetting(IRegistryStore& registry, std::string_view name, std::int32_t& out);
