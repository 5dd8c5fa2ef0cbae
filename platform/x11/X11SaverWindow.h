#pragma once
#include <X11/Xlib.h>

#include "host/RunMode.h"
#include "host/SaverSettings.h"

// Where the saver draws.
struct X11SaverTarget {
    enum class Kind {
        FullScreen,  // a borderless window over the whole screen, dismissed by input
        ChildOf,     // a child window filling `window` and following its size
        Into,        // into `window`: a daemon's window (through a child of its own) or the root
        Ordinary,    // a resizable top-level window of its own
    };
    Kind kind = Kind::FullScreen;
    Window window = None;
};

// Creates the window and its GLX context, builds the Scene and runs the main
// loop until the window is destroyed or a stop signal arrives. Returns 0, or
// non-zero after reporting a failure.
int RunX11SaverWindow(Display* display, const X11SaverTarget& target, RunMode mode, SaverSettings& settings);
