#pragma once
#include <cstdint>

#include "host/SaverSettings.h"
#include "host/SettingsStore.h"

// The window system's side of the run modes.
class SaverHost {
public:
    virtual ~SaverHost() = default;
    virtual uint32_t ForegroundWindow() = 0;
    // The system's password change; does nothing where there is none.
    virtual void RunPasswordChange(uint32_t owner) = 0;
    // The modal configuration dialog; returns how it ended.
    virtual int RunConfigDialog(uint32_t owner) = 0;
    // The saver window until it is destroyed, shown with `showCommand` (how
    // the program was asked to show its window). 0 once it ran and was
    // closed; 1 when it could not be set up: shown to the user in an "Error"
    // box, or, where no user waits on it (a preview without a window to live
    // in, a window the system would not create), only in the diagnostic
    // output.
    virtual int RunSaverWindow(uint32_t parent, int showCommand) = 0;
};

// The show command of a program started without one (the system's
// SW_SHOWDEFAULT).
inline constexpr int kShowDefault = 10;

// Parses the command line, loads the settings into a fresh `SaverSettings`
// (reachable through `saverSettings` meanwhile) and runs the one mode it
// names. Returns the process exit code: 1 when the saver window could not be
// set up, else 0. (A texture that cannot be loaded ends the process from
// inside the run, with its own code.)
int RunSaverProgram(const char* commandLine, int showCommand, SaverHost& host, SettingsStore& store);
