#include "scene/TextFit.h"

#include <algorithm>
#include <cmath>

#include "scene/DisplayScale.h"

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

PenPosition ScaleCornerDistance(PenPosition pen, int width, int height, int dpi)
{
    const int usable = UsableDpi(dpi);
    if (usable == kBaseDpi)
        return pen;
    const float scale = static_cast<float>(usable) / kBaseDpi;
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    return PenPosition{std::clamp(w - (w - pen.x) * scale, 0.0f, std::max(w, 0.0f)),
                       std::clamp(pen.y * scale, 0.0f, std::max(h, 0.0f))};
}
