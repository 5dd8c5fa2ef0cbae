#pragma once
#include <cstdint>

// The saver's pixel figures (the frame-rate text's height, the mouse
// threshold) are lengths on a display of 96 dots per inch. A program that
// tells the system it handles the display's density itself gets no scaling
// from it, so these figures follow the display's density here instead.
inline constexpr int kBaseDpi = 96;
// Densities outside this range are not a display's: they count as 96.
inline constexpr int kMinDpi = 24;
inline constexpr int kMaxDpi = 960;

// `dpi` when a display may have it, else 96.
int UsableDpi(int dpi);

// A length of `pixels` at 96 DPI, in pixels at `dpi` (made usable first),
// rounded to the nearest pixel with halves away from zero. At 96 it is
// `pixels` itself.
int64_t ScaleToDpi(int32_t pixels, int dpi);

// The density of the display the saver draws on, as the window-system
// backend read it once its window exists; 96 until then, and where there is
// no display (the offscreen renderer).
void SetDisplayDpi(int dpi);
int DisplayDpi();
