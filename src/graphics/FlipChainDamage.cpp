#include "graphics/FlipChainDamage.h"

#include <algorithm>
#include <cassert>

namespace {

std::optional<SRect> unite(const std::optional<SRect>& a, const SRect& b)
{
    if (!a) {
        return b;
    }
    return SRect{std::min(a->left, b.left), std::min(a->top, b.top), std::max(a->right, b.right), std::max(a->bottom, b.bottom)};
}

} // namespace

CFlipChainDamage::CFlipChainDamage(std::int32_t bufferCount, std::int32_t width, std::int32_t height)
    : width_(width), height_(height), stale_(static_cast<std::size_t>(std::max(bufferCount, 1)))
{
    assert(bufferCount >= 1);
    forgetAll();
}

void CFlipChainDamage::forgetAll()
{
    std::fill(stale_.begin(), stale_.end(), SRect{0, 0, width_, height_});
}

void CFlipChainDamage::frameChanged(const SRect& changed)
{
    const SRect inside{std::max(changed.left, 0), std::max(changed.top, 0), std::min(changed.right, width_),
                      std::min(changed.bottom, height_)};
    if (inside.left >= inside.right || inside.top >= inside.bottom) {
        return;
    }
    for (std::optional<SRect>& stale : stale_) {
        stale = unite(stale, inside);
    }
}

bool CFlipChainDamage::frontIsCurrent() const { return !stale_[front_].has_value(); }

std::optional<SRect> CFlipChainDamage::backBufferStale() const { return stale_[(front_ + 1) % stale_.size()]; }

void CFlipChainDamage::drawnAndFlipped()
{
    front_ = (front_ + 1) % stale_.size();
    stale_[front_].reset();
}
