#pragma once
#include <cstdint>

// What one run of the program does, as chosen by its command line.
enum RunMode : int32_t {
    kRunModeNone = 0,            // nothing recognised: nothing is shown
    kRunModeConfigure = 1,       // the configuration dialog
    kRunModeChangePassword = 2,  // the system's password change
    kRunModePreview = 3,         // a child window inside a caller's window
    kRunModeSaver = 4,           // full screen, with dismissal and password
};

// The run mode of this process; the window procedure and saver window read it.
extern RunMode runMode;
