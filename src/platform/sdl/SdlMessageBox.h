#pragma once
#include "platform/ShellPlatform.h"

struct SDL_Window;

// Message boxes through SDL: they block until dismissed. Where no box can be shown (no display,
// dummy video driver) the text goes to standard error instead, so the user still learns it.
class CSdlMessageBox final : public IMessageBox {
public:
    // The box belongs to this window once it exists, so it stays above the full-screen picture.
    void setParent(SDL_Window* window) { parent_ = window; }

    void show(const std::string& title, const std::string& text, EBoxIcon icon) override;

private:
    SDL_Window* parent_ = nullptr;
};
