#pragma once
#include <X11/Xlib.h>

// Installs, for the rest of the run, the texture services of the X11 saver:
// files mapped read-only, failures shown in the error box (and on stderr).
void InstallX11TexturePlatform(Display* display);
