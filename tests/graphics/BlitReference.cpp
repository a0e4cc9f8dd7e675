#include "BlitReference.h"

#include <algorithm>
#include <cmath>

namespace {

// The source rectangle clamped into the source's clip; x and y stay where they are.
std::optional<SRect> clampSource(const PixelImage& source, std::optional<SRect> rect)
{
    SRect r = rect.value_or(SRect{0, 0, source.width, source.height});
    const SRect& c = source.clip;
    if (r.top >= c.bottom || r.left >= c.right || r.bottom <= c.top || r.right <= c.left)
        return std::nullopt;
    r = SRect{std::max(r.left, c.left), std::max(r.top, c.top), std::min(r.right, c.right), std::min(r.bottom, c.bottom)};
    if (r.right <= r.left || r.bottom <= r.top)
        return std::nullopt;
    return r;
}

bool insideClip(const PixelImage& image, std::int64_t x, std::int64_t y)
{
    return x >= image.clip.left && x < image.clip.right && y >= image.clip.top && y < image.clip.bottom;
}

std::uint32_t colourBits(std::uint32_t depth)
{
    return depth == 15 ? 0x7FFFu : depth == 16 ? 0xFFFFu : 0xFFFFFFu;
}

// Calls draw(sourcePixel, targetPixel) for every pixel that survives the clipping.
template <typename Draw>
void eachPixel(PixelImage& source, PixelImage& target, std::int32_t x, std::int32_t y, std::optional<SRect> rect,
               Draw draw)
{
    const auto r = clampSource(source, rect);
    if (!r)
        return;
    for (std::int32_t j = r->top; j < r->bottom; ++j) {
        for (std::int32_t i = r->left; i < r->right; ++i) {
            const std::int64_t tx = static_cast<std::int64_t>(x) + (i - r->left);
            const std::int64_t ty = static_cast<std::int64_t>(y) + (j - r->top);
            if (insideClip(target, tx, ty))
                draw(source.at(i, j),
                     target.at(static_cast<std::int32_t>(tx), static_cast<std::int32_t>(ty)));
        }
    }
}

std::int32_t floorDiv256(std::int32_t value) { return static_cast<std::int32_t>(std::floor(value / 256.0)); }

std::uint32_t channel(std::uint32_t s, std::uint32_t d, std::uint32_t a)
{
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(s) +
                                      floorDiv256((static_cast<std::int32_t>(d) - static_cast<std::int32_t>(s)) *
                                                  static_cast<std::int32_t>(a)));
}

} // namespace

std::uint32_t referenceBlendPixel(std::uint32_t source, std::uint32_t target, std::uint32_t alpha, std::uint32_t depth)
{
    if (depth == 15 || depth == 16) {
        const int redShift = depth == 15 ? 10 : 11;
        const std::uint32_t greenMask = depth == 15 ? 0x1F : 0x3F;
        const std::uint32_t red = channel((source >> redShift) & 0x1F, (target >> redShift) & 0x1F, alpha);
        const std::uint32_t green = channel((source >> 5) & greenMask, (target >> 5) & greenMask, alpha);
        const std::uint32_t blue = channel(source & 0x1F, target & 0x1F, alpha);
        return (red << redShift) | (green << 5) | blue;
    }
    std::uint32_t result = depth == 32 ? target & 0xFF000000u : 0;
    for (int shift = 0; shift < 24; shift += 8)
        result |= channel((source >> shift) & 0xFF, (target >> shift) & 0xFF, alpha) << shift;
    return result;
}

void referenceOpaque(PixelImage& source, PixelImage& target, std::int32_t x, std::int32_t y, std::optional<SRect> rect)
{
    eachPixel(source, target, x, y, rect, [](std::uint32_t s, std::uint32_t& d) { d = s; });
}

void referenceKeyed(PixelImage& source, PixelImage& target, std::int32_t x, std::int32_t y, std::optional<SRect> rect)
{
    const std::uint32_t bits = colourBits(source.depth), key = source.key & bits;
    eachPixel(source, target, x, y, rect, [bits, key](std::uint32_t s, std::uint32_t& d) {
        if ((s & bits) != key)
            d = s;
    });
}

void referenceBlend(PixelImage& source, PixelImage& target, std::int32_t x, std::int32_t y, std::optional<SRect> rect,
                    std::uint32_t alpha)
{
    const std::uint32_t a = std::min<std::uint32_t>(alpha & 0xFFFF, 256);
    const std::uint32_t depth = target.depth;
    // 15 and 16 bits compare the whole 16-bit pixel with the key, 24 and 32 bits the colour.
    const std::uint32_t bits = depth <= 16 ? 0xFFFFu : 0xFFFFFFu, key = source.key & bits;
    eachPixel(source, target, x, y, rect, [=](std::uint32_t s, std::uint32_t& d) {
        if ((s & bits) != key)
            d = referenceBlendPixel(s, d, a, depth);
    });
}

void referenceScaled(PixelImage& source, PixelImage& target, std::int32_t x, std::int32_t y, std::optional<SRect> rect,
                     float scale)
{
    if (!(scale > 0.0f))
        return;
    const auto r = clampSource(source, rect);
    if (!r)
        return;
    const std::int32_t w = r->right - r->left, h = r->bottom - r->top;
    const float scaledW = static_cast<float>(w) * scale, scaledH = static_cast<float>(h) * scale;
    const auto top = static_cast<std::int64_t>(std::trunc(h * 0.5 + y - scaledH * 0.5));
    const auto left = static_cast<std::int64_t>(std::trunc(w * 0.5 + x - scaledW * 0.5));
    const std::int64_t bottom = top + static_cast<std::int64_t>(std::trunc(scaledH));
    const std::int64_t right = left + static_cast<std::int64_t>(std::trunc(scaledW));
    const SRect& c = target.clip;
    if (top >= c.bottom || left >= c.right || bottom <= c.top || right <= c.left)
        return;
    const std::int64_t cl = std::max<std::int64_t>(left, c.left), ct = std::max<std::int64_t>(top, c.top);
    const std::int64_t cr = std::min<std::int64_t>(right, c.right),
                       cb = std::min<std::int64_t>(bottom, c.bottom);
    if (cr <= cl || cb <= ct)
        return;
    const auto shift = [scale](std::int64_t d) { return static_cast<std::int64_t>(std::trunc(static_cast<float>(d) / scale)); };
    const std::int64_t sl = r->left + shift(cl - left), st = r->top + shift(ct - top);
    const std::int64_t sr = r->right - shift(right - cr), sb = r->bottom - shift(bottom - cb);
    if (sr <= sl || sb <= st)
        return;
    const std::uint32_t bits = colourBits(source.depth), key = source.key & bits;
    const std::int64_t dw = cr - cl, dh = cb - ct;
    for (std::int64_t j = 0; j < dh; ++j) {
        const std::int64_t sy = st + (2 * j + 1) * (sb - st) / (2 * dh);
        for (std::int64_t i = 0; i < dw; ++i) {
            const std::int64_t sx = sl + (2 * i + 1) * (sr - sl) / (2 * dw);
            const std::uint32_t s = source.at(static_cast<std::int32_t>(sx), static_cast<std::int32_t>(sy));
            if ((s & bits) != key)
                target.at(static_cast<std::int32_t>(cl + i), static_cast<std::int32_t>(ct + j)) = s;
        }
    }
}
