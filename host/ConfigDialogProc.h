#pragma once
#include <cstdint>

#include "host/SaverSettings.h"
#include "host/SettingsStore.h"

inline constexpr int kConfigOk = 1;      // control 1
inline constexpr int kConfigCancel = 2;  // control 2

// A command from a control of the configuration dialog. Returns the code the
// dialog ends with (kConfigOk or kConfigCancel), or 0 when it stays open.
// OK creates the program's own settings key.
int ConfigDialogCommand(int control, SaverSettings& settings, SettingsStore& store);
