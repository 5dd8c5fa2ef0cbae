#pragma once
#include <X11/Xlib.h>

// The dots per inch the desktop asks programs to draw at: the "Xft.dpi"
// resource of the display's resource database (what xrdb loads), or 0 when
// it is not set or not a number.
int XftDpi(Display* display);
