#pragma once
#include <X11/Xlib.h>

// Reports a failure the user must see: always on stderr, and in a modal box
// titled "Error" with an OK button when there is a display (may be null).
void ShowErrorBox(Display* display, const char* text);
