// Feeds arbitrary bytes to the registry file reader and checks what a save relies on:
// reading what was written gives the same text and the same values, and a value set is found.
#include "settings/CRegistryDocument.h"
#include "settings/RegistryTypes.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

constexpr std::string_view kKey = "HKEY_CURRENT_USER\\Software\\Velmora\\Minnespiegel\\2004";

void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CRegistryDocument document = CRegistryDocument::parse(text);
    const std::string saved = document.serialize();
    const CRegistryDocument reread = CRegistryDocument::parse(saved);
    check(reread.serialize() == saved);

    for (std::string_view name : {"back", "dancer", "music", "cd", ""}) {
        const SRegValueData* before = document.findValue(kKey, name);
        const SRegValueData* after = reread.findValue(kKey, name);
        check((before == nullptr) == (after == nullptr));
        check(!before || *before == *after);
    }

    // A save into whatever was there keeps the rest and is read back.
    const std::uint8_t value = size > 0 ? data[0] : 0;
    document.setValue(kKey, {"music", RegType::Dword, {value, 0, 0, 0}});
    const CRegistryDocument changed = CRegistryDocument::parse(document.serialize());
    const SRegValueData* music = changed.findValue(kKey, "music");
    check(music && music->type == RegType::Dword && music->data.size() == 4 && music->data[0] == value);
    check(changed.serialize() == document.serialize());

    // The name is then on one line: saving it again changes that line and adds none.
    const std::size_t length = document.serialize().size();
    document.setValue(kKey, {"music", RegType::Dword, {std::uint8_t(value + 1), 0, 0, 0}});
    check(document.serialize().size() == length);
    return 0;
}
