#include "scene/TextFit.h"

#include <cmath>

PenPosition FitTextInViewport(PenPosition pen, const TextExtent& extent, int width)
{
    PenPosition fitted = pen;
    // Glyph pixels start at the whole pixel the pen is in.
    const float right = std::floor(pen.x) + extent.width;
    if (right > static_cast<float>(width))
        fitted.x = std::fmax(0.0f, std::floor(static_cast<float>(width) - extent.width));
    const float bottom = std::floor(pen.y) - extent.descent;
    if (bottom < 0.0f)
        fitted.y = std::ceil(extent.descent);
    return fitted;
}
