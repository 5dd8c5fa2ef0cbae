#pragma once
#include <cstdint>

#include "host/SettingsStore.h"

// A window of the platform's window system (an HWND or an X window id).
using WindowHandle = uintptr_t;

struct CursorPoint {
    int32_t x = 0;
    int32_t y = 0;
};

// The saver's user settings and its window's dismissal state; one per process.
struct SaverSettings {
    WindowHandle window = 0;
    int32_t passwordDelay = 15;   // seconds of grace after start without a password
    int32_t mouseThreshold = 50;  // cursor travel, either axis, that dismisses
    int32_t muteSound = 0;        // read and kept; nothing consults it
    CursorPoint startCursor;
    uint32_t startTick = 0;       // tick count when the window was created
    int32_t timerId = 0;
    int32_t inPasswordDialog = 0;
    int32_t closeRequested = 0;
    int32_t sceneParameter = 0;
};

// The process's one record; the window procedure and the dialog reach it here.
extern SaverSettings* saverSettings;

inline constexpr int32_t kDefaultPasswordDelay = 15;
inline constexpr int32_t kDefaultMouseThreshold = 50;

// Defaults, then "Password Delay", "Mouse Threshold" and "Mute Sound" from the
// common screen-saver settings where present and readable.
void LoadStandardSettings(SaverSettings& settings, SettingsStore& store);
// Looks at the program's own key; reads nothing from it.
void LoadOwnSettings(SaverSettings& settings, SettingsStore& store);
// Creates the program's own key; writes no values.
void SaveOwnSettings(SettingsStore& store);
