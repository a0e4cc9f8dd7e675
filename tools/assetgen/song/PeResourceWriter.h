#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One resource of a module. Type and name are strings ("OGG", "MUSIC.OGG"), stored upper-cased
// as the resource compiler stores them; "#12" stands for the number 12.
struct SResourceItem {
    std::string type;
    std::string name;
    std::uint16_t language = 0x0407; // German (Germany)
    std::vector<std::uint8_t> data;
};

// A resource-only Windows module: a 32-bit DLL without code whose only section, .rsrc, holds
// the given resources in the standard three-level directory (type, name, language).
std::vector<std::uint8_t> buildResourceModule(const std::vector<SResourceItem>& items);
