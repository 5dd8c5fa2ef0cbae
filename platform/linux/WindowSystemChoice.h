#pragma once

#include "platform/linux/LaunchOptions.h"

// Whether the saver runs as a Wayland client rather than an X11 one: on a
// Wayland session (`waylandDisplay`, the value of WAYLAND_DISPLAY, set and
// not empty), for the modes whose window is the program's own: full screen
// (/s) and -window. The preview, -root, -window-id and a daemon's window are
// X11 windows by name, and the settings dialog is an X11 one: they stay on X11.
bool UsesWayland(const LaunchOptions& launch, const char* waylandDisplay);
