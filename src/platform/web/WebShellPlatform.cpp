#include "platform/web/WebShellPlatform.h"

#include "platform/SystemServices.h"
#include "platform/web/StbFontRasterizer.h"
#include "platform/web/WebDisplay.h"
#include "platform/web/WebPage.h"
#include "settings/IRegistryStore.h"

#include <emscripten/emscripten.h>

namespace {

// Where the site's file package puts the font the program brings along, and its advances as
// the Linux build's rasteriser measured them.
constexpr const char* kFontFolder = "/fonts";
constexpr const char* kHintedWidths = "/fonts/LiberationSans-Regular.widths";

} // namespace

std::optional<SMessage> CWebShellPlatform::CMessages::takeMessage()
{
    if (waiting_.empty()) {
        return std::nullopt;
    }
    const SMessage message = waiting_.front();
    waiting_.pop_front();
    return message;
}

CWebShellPlatform::CWebShellPlatform() : registry_(openUserRegistry()) {}

CWebShellPlatform::~CWebShellPlatform()
{
    if (attached_) {
        minne_page_detach();
    }
}

bool CWebShellPlatform::createMainWindow()
{
    if (!attached_) {
        minne_page_attach(this);
        attached_ = true;
    }
    return true;
}

std::unique_ptr<IDisplay> CWebShellPlatform::createDisplay()
{
    return attached_ ? std::make_unique<CWebDisplay>() : nullptr;
}

std::unique_ptr<IFontRasterizer> CWebShellPlatform::createFonts()
{
    return makeFontRasterizer();
}

IInputSource* CWebShellPlatform::inputSource()
{
    return attached_ ? &input_ : nullptr;
}

void CWebShellPlatform::toggleWindowMode()
{
    minne_page_toggle_fullscreen();
}

void CWebShellPlatform::visibilityChanged(bool visible)
{
    messages_.post({EMessageKind::Activate, visible});
    if (visible) {
        // What the page shows may have been thrown away while it was hidden.
        messages_.post({EMessageKind::Repaint, false});
    }
}

std::unique_ptr<IFontRasterizer> makeFontRasterizer()
{
    return std::make_unique<CStbFontRasterizer>(kFontFolder, kHintedWidths);
}

// The page's events, called by its script with the platform it was attached to.
namespace {

CWebShellPlatform& platformAt(void* platform)
{
    return *static_cast<CWebShellPlatform*>(platform);
}

constexpr int kCtrl = 1;
constexpr int kAlt = 2;
constexpr int kMeta = 4;

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int minne_web_key(void* platform, int down, const char* code, const char* key, int repeat,
                                       int modifiers)
{
    CWebInputSource& input = platformAt(platform).input();
    if (!down) {
        input.keyUp(code);
        return 0;
    }
    return input.keyDown({code, key, repeat != 0, (modifiers & kCtrl) != 0, (modifiers & kAlt) != 0,
                          (modifiers & kMeta) != 0})
               ? 1
               : 0;
}

EMSCRIPTEN_KEEPALIVE void minne_web_text(void* platform, const char* text)
{
    platformAt(platform).input().text(text);
}

// kind: 0 move, 1 press, 2 release, 3 left the canvas, 4 entered it.
EMSCRIPTEN_KEEPALIVE void minne_web_pointer(void* platform, int kind, int button, double x, double y, double width,
                                            double height)
{
    CWebInputSource& input = platformAt(platform).input();
    const CWebInputSource::SShownSize shown{width, height};
    switch (kind) {
    case 0: input.pointerMoved(x, y, shown); break;
    case 1:
    case 2: input.pointerButton(kind == 1, button, x, y, shown); break;
    case 3: input.pointerLeft(); break;
    case 4: input.pointerEntered(x, y, shown); break;
    default: break;
    }
}

EMSCRIPTEN_KEEPALIVE void minne_web_focus(void* platform, int focused)
{
    platformAt(platform).input().focusChanged(focused != 0);
}

EMSCRIPTEN_KEEPALIVE void minne_web_visible(void* platform, int visible)
{
    platformAt(platform).visibilityChanged(visible != 0);
}

} // extern "C"
