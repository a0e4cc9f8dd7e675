#include "platform/sdl/SdlMessageBox.h"

#include "common/Cp1252.h"

#include <SDL.h>

#include <cstdio>

namespace {

Uint32 boxFlags(EBoxIcon icon)
{
    switch (icon) {
    case EBoxIcon::Error:
        return SDL_MESSAGEBOX_ERROR;
    case EBoxIcon::Information:
    case EBoxIcon::None:
        break;
    }
    return SDL_MESSAGEBOX_INFORMATION;
}

void writeToStandardError(const std::string& title, const std::string& text)
{
    const std::string line = title + ": " + text + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

} // namespace

void CSdlMessageBox::show(const std::string& title, const std::string& text, EBoxIcon icon)
{
    const std::string utf8Title = cp1252ToUtf8(title);
    const std::string utf8Text = cp1252ToUtf8(text);
    // The mouse may be captured for relative motion; a box must be reachable with the pointer.
    const SDL_bool wasRelative = SDL_GetRelativeMouseMode();
    SDL_SetRelativeMouseMode(SDL_FALSE);
    const int shown = SDL_ShowSimpleMessageBox(boxFlags(icon), utf8Title.c_str(), utf8Text.c_str(),
                                               parent_);
    SDL_SetRelativeMouseMode(wasRelative);
    if (shown != 0) {
        writeToStandardError(utf8Title, utf8Text);
    }
}
