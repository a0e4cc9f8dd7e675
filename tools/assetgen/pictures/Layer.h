// A transparent layer painted at several samples per pixel and resolved into a keyed picture:
// shapes keep smooth outlines inside, and hard edges where the colour key cuts them out.
#pragma once
#include "pictures/Parts.h"
#include "pictures/Shapes.h"

#include <functional>

namespace assetgen {

class CLayer {
public:
    CLayer(int width, int height, int scale = 3);

    int width() const { return m_width; }
    int height() const { return m_height; }

    // Draws a shape over what is there; coverage comes from the distance (in pixels) at each
    // sample. Positions are in pixels of the resolved picture.
    void paint(float x0, float y0, float x1, float y1, const std::function<float(SVec2)>& dist,
               const std::function<SRgb(SVec2)>& shade, float opacity = 1);
    // Edge pixels take the figure's own colour, so no background colour bleeds into them.
    SKeyedPicture resolve() const;
    // Resolved over an opaque backdrop instead, for pictures without a key.
    CCanvas resolveOver(const CCanvas& backdrop) const;

private:
    int m_width, m_height, m_scale;
    CCanvas m_colour; // premultiplied
    CMask m_alpha;
};

} // namespace assetgen
