#include "scene/DisplayScale.h"

namespace {

int displayDpi = kBaseDpi;

}  // namespace

int UsableDpi(int dpi)
{
    return dpi >= kMinDpi && dpi <= kMaxDpi ? dpi : kBaseDpi;
}

int64_t ScaleToDpi(int32_t pixels, int dpi)
{
    const int64_t magnitude = pixels < 0 ? -static_cast<int64_t>(pixels) : pixels;
    const int64_t scaled = magnitude * UsableDpi(dpi);
    const int64_t rounded = (scaled + kBaseDpi / 2) / kBaseDpi;
    return pixels < 0 ? -rounded : rounded;
}

void SetDisplayDpi(int dpi)
{
    displayDpi = UsableDpi(dpi);
}

int DisplayDpi()
{
    return displayDpi;
}
