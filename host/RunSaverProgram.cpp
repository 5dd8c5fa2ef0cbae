#include "host/RunSaverProgram.h"

#include "host/CommandLine.h"
#include "host/RunMode.h"

int RunSaverProgram(const char* commandLine, int showCommand, SaverHost& host, SettingsStore& store)
{
    const SaverCommandLine parsed = ParseSaverCommandLine(commandLine);
    runMode = parsed.mode;
    const uint32_t window = parsed.ownerIsForeground ? host.ForegroundWindow() : parsed.window;

    SaverSettings settings;
    saverSettings = &settings;
    LoadStandardSettings(settings, store);
    LoadOwnSettings(settings, store);

    int exitCode = 0;
    if (runMode == kRunModeChangePassword)
        host.RunPasswordChange(window);
    if (runMode == kRunModeConfigure)
        host.RunConfigDialog(window);
    if (runMode == kRunModeSaver || runMode == kRunModePreview)
        exitCode = host.RunSaverWindow(window, showCommand);

    saverSettings = nullptr;
    return exitCode;
}
