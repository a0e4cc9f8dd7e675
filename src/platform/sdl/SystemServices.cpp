#include "platform/SystemServices.h"

#include "platform/sdl/FontRasterizer.h"
#include "platform/sdl/PosixRegistryFile.h"
#include "platform/sdl/SdlShellPlatform.h"
#include "settings/CFileRegistryStore.h"

// On Linux HKEY_CURRENT_USER is one registry file in the user's configuration folder.
std::unique_ptr<IRegistryStore> openUserRegistry()
{
    return std::make_unique<CFileRegistryStore>(
        std::make_unique<CPosixRegistryFile>(userRegistryPath().value_or(std::string())));
}

std::unique_ptr<IFontRasterizer> makeFontRasterizer()
{
    return std::make_unique<CFontRasterizer>();
}

std::unique_ptr<IShellPlatform> makeShellPlatform(EWindowMode startMode)
{
    return std::make_unique<CSdlShellPlatform>(startMode);
}
