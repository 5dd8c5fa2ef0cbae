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
    // The saver window until it is destroyed; 0, or the exit code of a failure
    // already reported to the user.
    virtual int RunSaverWindow(int32_t parent) = 0;
};

// Parses the command line, loads the settings into a fresh `SaverSettings`
// (reachable through `saverSettings` meanwhile) and runs the one mode it
// names. Returns the process exit code: 0 unless the saver window failed.
int RunSaverProgram(const char* commandLine, SaverHost& host, SettingsStore& store);
