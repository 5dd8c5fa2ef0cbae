#pragma once
#include <cstdint>

#include "host/SaverSettings.h"
#include "host/SettingsStore.h"

// The window system's side of the run modes.
class SaverHost {
public:
    virtual ~SaverHost() = default;
    virtual int32_t ForegroundWindow() = 0;
    // The system's password change; does nothing where there is none.
    virtual void RunPasswordChange(int32_t owner) = 0;
    // The modal configuration dialog; returns how it ended.
    virtual int RunConfigDialog(int32_t owner) = 0;
    // The saver window until it is destroyed, shown with `showCommand` (how
    // the program was asked to show its window); 0, or the exit code of a
    // failure already reported to the user.
    virtual int RunSaverWindow(int32_t parent, int showCommand) = 0;
};

// The show command of a program started without one (the system's
// SW_SHOWDEFAULT).
inline constexpr int kShowDefault = 10;

// Parses the command line, loads the settings into a fresh `SaverSettings`
// (reachable through `saverSettings` meanwhile) and runs the one mode it
// names. Returns the process exit code: 0 unless the saver window failed.
int RunSaverProgram(const char* commandLine, int showCommand, SaverHost& host, SettingsStore& store);
