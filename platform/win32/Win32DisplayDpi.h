#pragma once
#include <windows.h>

// The dots per inch of the display `window` is on, as the system scales it
// for this program (declared aware of each monitor's density): the window's
// own DPI where the system has GetDpiForWindow (Windows 10 1607 and later),
// else the screen's LOGPIXELSY.
int WindowDpi(HWND window);
