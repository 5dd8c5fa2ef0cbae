#pragma once
#include <X11/Xlib.h>

#include "host/SaverSettings.h"
#include "host/SettingsStore.h"

// The modal configuration dialog: no settings of its own, OK (control 1) and
// Cancel (control 2). Returns the code it ended with.
int RunX11ConfigDialog(Display* display, Window owner, SaverSettings& settings, SettingsStore& store);

inline constexpr const char* kConfigDialogTitle = "Quillmoor Settings";
