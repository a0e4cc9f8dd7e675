#include "shell/CFrameSet.h"

#include "diagnostics/CLogs.h"
#include "graphics/CSurface.h"

#include <algorithm>
#include <cstdio>
#include <new>

std::string platformPath(std::string name)
{
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

CFrameSet::CFrameSet(std::int32_t& stepCounter, std::function<void()> progressStep)
    : stepCounter_(stepCounter), progressStep_(std::move(progressStep))
{
}

CFrameSet::~CFrameSet()
{
    clearFrames();
}

std::int32_t CFrameSet::loadFrames(CScreen& screen, const std::string& baseName, std::int32_t count,
                                   std::uint32_t flags, CLogs& logs)
{
    count_ = count;
    for (std::int32_t i = 0; i < count; ++i) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, "_%i.bmp", static_cast<int>(i));
        std::unique_ptr<CSurface> surface(new (std::nothrow) CSurface());
        if (!surface || surface->LoadImage(screen, platformPath(baseName + suffix), flags) < 0) {
            logs.writeLog(baseName, true);
        }
        frames_.push_back(std::move(surface));
        if (progressMark_ && progressStep_) {
            progressStep_();
        }
    }
    return 1;
}

void CFrameSet::setPosition(std::int32_t x, std::int32_t y)
{
    x_ = x;
    y_ = y;
}

void CFrameSet::setFrame(std::int32_t index)
{
    if (index >= 0 && index < count_) {
        current_ = index;
    }
}

CSurface* CFrameSet::frame(std::int32_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= frames_.size()) {
        return nullptr;
    }
    return frames_[static_cast<std::size_t>(index)].get();
}

std::int32_t CFrameSet::drawFrame(CSurface& destination)
{
    CSurface* shown = frame(current_);
    return shown ? shown->Opaque(destination, x_, y_) : -1;
}

std::int32_t CFrameSet::drawFrameKeyed(CSurface& destination)
{
    CSurface* shown = frame(current_);
    return shown ? shown->Keyed(destination, x_, y_) : -1;
}

void CFrameSet::keyAllFrames()
{
    for (const std::unique_ptr<CSurface>& surface : frames_) {
        if (surface) {
            surface->SetColorKeyFromCorner();
        }
    }
}

void CFrameSet::advance()
{
    stepCounter_ += 1;
    if (stepCounter_ >= count_) {
        stepCounter_ = 0;
    }
    current_ = stepCounter_;
}

void CFrameSet::clearFrames()
{
    while (!frames_.empty()) {
        frames_.pop_back();
    }
}
