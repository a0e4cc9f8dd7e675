#pragma once

class CFont;

// The drawing context of a surface, as text drawing uses it: the selected font (text is always
// drawn on a transparent background, in the colour each call names). It lives from the first
// GetDC to the last ReleaseDC of its surface, so a selected font stays in force exactly that long.
class CDeviceContext {
public:
    // The font that was selected before (nullptr: the context's default font).
    CFont* selectFont(CFont* font)
    {
        CFont* previous = font_;
        font_ = font;
        return previous;
    }
    CFont* selectedFont() const { return font_; }

private:
    CFont* font_ = nullptr;
};
