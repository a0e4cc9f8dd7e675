#include "settings/Settings.h"

#include "settings/CRegistryKey.h"

namespace {

constexpr std::string_view kSoftware = "Software";
constexpr std::string_view kProductKey = "Velmora\\Minnespiegel\\2004";

} // namespace

bool SaveSetting(IRegistryStore& registry, std::string_view name, std::int32_t value)
{
    try {
        const CRegistryKey software(registry, kHKeyCurrentUser, kSoftware, RegAccess::AllAccess);
        const CRegistryKey product =
            software.CreateOrOpenKey(kProductKey, nullptr, "", 0, RegAccess::AllAccess);
        product.SetValue(name, static_cast<std::uint32_t>(value), RegType::Dword);
        return true;
    } catch (...) {
        // A setting that cannot be stored is not worth troubling the user with.
        return false;
    }
}

bool LoadSetting(IRegistryStore& registry, std::string_view name, std::int32_t& out)
{
    try {
        const CRegistryKey software(registry, kHKeyCurrentUser, kSoftware, RegAccess::AllAccess);
        const CRegistryKey product = software.OpenKey(kProductKey, RegAccess::AllAccess);
        const CRegistryKey::Value value = product.QueryValue(name);
        out = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
        return true;
    } catch (...) {
        return false;
    }
}
