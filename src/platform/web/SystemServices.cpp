#include "platform/SystemServices.h"

#include "platform/web/LocalStorageRegistryFile.h"
#include "platform/web/WebShellPlatform.h"
#include "settings/CFileRegistryStore.h"

namespace {

// The one key of the page's storage that holds HKEY_CURRENT_USER.
constexpr const char* kRegistryKey = "minnespiegel.registry";

} // namespace

std::unique_ptr<IRegistryStore> openUserRegistry()
{
    return std::make_unique<CFileRegistryStore>(std::make_unique<CLocalStorageRegistryFile>(kRegistryKey));
}

std::unique_ptr<IShellPlatform> makeShellPlatform(EWindowMode)
{
    return std::make_unique<CWebShellPlatform>();
}
