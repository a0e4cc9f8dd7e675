#include "AnswerBoxLines.h"

#include "graphics/CFont.h"
#include "platform/SystemServices.h"
#include "shell/TextLayout.h"

#include <memory>

namespace {

// The answer box's font, as the answer sequence selects it. Members in this order: the face
// the font holds must go before the rasterizer that opened it.
class CAnswerBoxFont {
public:
    bool open()
    {
        std::unique_ptr<IFontFace> face = rasterizer_->openFont(SFontRequest{"Arial", 0, 20, 400});
        if (face) {
            font_ = std::make_unique<CFont>(std::move(face));
        }
        return font_ != nullptr;
    }
    int lines(std::string_view answer)
    {
        const MeasureText measure = [this](std::string_view text) { return static_cast<int>(font_->measure(text)); };
        return static_cast<int>(layoutAnswer(std::string(answer), measure).lines.size());
    }

private:
    std::unique_ptr<IFontRasterizer> rasterizer_ = makeFontRasterizer();
    std::unique_ptr<CFont> font_;
};

} // namespace

std::optional<AnswerLineCount> openAnswerBoxLines()
{
    auto font = std::make_shared<CAnswerBoxFont>();
    if (!font->open()) {
        return std::nullopt;
    }
    return AnswerLineCount([font](std::string_view answer) { return font->lines(answer); });
}
