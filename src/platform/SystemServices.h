#pragma once
#include <memory>

class IFontRasterizer;
class IRegistryStore;

// What each system provides besides the shell's window, for programs that need no window.

// The current user's settings store (HKEY_CURRENT_USER): the registry file on Linux, the
// registry itself on Windows. A store that cannot be found refuses every write.
std::unique_ptr<IRegistryStore> openUserRegistry();

// The system's fonts, for measuring and drawing text without a window.
std::unique_ptr<IFontRasterizer> makeFontRasterizer();
