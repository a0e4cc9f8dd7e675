#include "settings/Settings.h"

#include "settings/CRegistryKey.h"

#include <new>

namespace {

constexpr std::string_view kSoftware = "Software";
constexpr std::string_view kProductKey = "Velmora\\Minnespiegel\\2004";

} // namespace

bool SaveSetting(IRegistryStore& registry, std::string_view name, std::int32_t value, std::string* failure)
{
    const auto fail = [failure](std::string why) {
        if (failure) {
            *failure = std::move(why);
        }
        return false;
    };
    try {
        const CRegistryKey software(registry, kHKeyCurrentUser, kSoftware, RegAccess::AllAccess);
        const CRegistryKey product =
            software.CreateOrOpenKey(kProductKey, nullptr, "", 0, RegAccess::AllAccess);
        product.SetValue(name, static_cast<std::uint32_t>(value), RegType::Dword);
        return true;
    } catch (const CWin32Exception& error) {
        return fail(std::string(error.where) + " - " + error.GetErrorMessage());
    } catch (const std::bad_alloc&) {
        return fail("out of memory");
    } catch (...) {
        return fail("unexpected failure");
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
