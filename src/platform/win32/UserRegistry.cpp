// The current user's settings live in the system registry itself.
#include "platform/SystemServices.h"

#include "platform/win32/Win32RegistryStore.h"

std::unique_ptr<IRegistryStore> openUserRegistry()
{
    return std::make_unique<CWin32RegistryStore>();
}
