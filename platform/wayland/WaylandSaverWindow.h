#pragma once
#include <wayland-client.h>

#include "host/RunMode.h"
#include "host/SaverSettings.h"

// How the saver shows itself on a Wayland compositor.
enum class WaylandSaverKind {
    FullScreen,  // a full-screen toplevel on every output, dismissed by input
    Ordinary,    // one resizable toplevel of its own
};

// Creates the toplevels and the EGL context, builds the Scene and runs the
// main loop until the window is destroyed, a stop signal arrives or the
// compositor goes away. Returns 0, or 1 after reporting a failure (the
// compositor gone included).
int RunWaylandSaverWindow(wl_display* display, WaylandSaverKind kind, RunMode mode, SaverSettings& settings);
