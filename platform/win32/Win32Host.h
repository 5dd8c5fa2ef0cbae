#pragma once
#include <windows.h>

#include "host/RunSaverProgram.h"

// The run modes on Windows: the system's password change, configuration
// dialog 104 and the saver window.
class Win32Host : public SaverHost {
public:
    Win32Host(HINSTANCE instance, SettingsStore& store) : instance_(instance), store_(store) {}

    uint32_t ForegroundWindow() override;
    void RunPasswordChange(uint32_t owner) override;
    int RunConfigDialog(uint32_t owner) override;
    int RunSaverWindow(uint32_t parent, int showCommand) override;

private:
    HINSTANCE instance_;
    SettingsStore& store_;
};
