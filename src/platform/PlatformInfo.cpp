#include <SDL.h>

// Kept so the library always has a source; reports the SDL version linked, for diagnostics.
int platformSdlVersion()
{
    SDL_version v;
    SDL_GetVersion(&v);
    return v.major * 10000 + v.minor * 100 + v.patch;
}
