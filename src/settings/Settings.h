#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/IRegistryStore.h"

// The program's stored settings, all 32-bit numbers under
// HKEY_CURRENT_USER\Software\Velmora\Minnespiegel\2004: "back", "dancer", "music", "cd".
// Neither call throws or logs; each opens and closes the key by itself.

// True when the value was written; otherwise `failure`, when given, names the failing step and
// the system's text for its error, for the caller to log.
bool SaveSetting(IRegistryStore& registry, std::string_view name, std::int32_t value,
                 std::string* failure = nullptr);

// True when the value was read into `out`; on any failure `out` keeps what it held.
bool LoadSetting(IRegistryStore& registry, std::string_view name, std::int32_t& out);
