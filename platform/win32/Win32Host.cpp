#include "platform/win32/Win32Host.h"

#include "platform/win32/Win32ConfigDialog.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32Password.h"
#include "platform/win32/Win32SaverWindow.h"

int32_t Win32Host::ForegroundWindow()
{
    return Int32FromWindow(GetForegroundWindow());
}

void Win32Host::RunPasswordChange(int32_t owner)
{
    RunSaverPasswordChange(WindowFromInt32(owner));
}

int Win32Host::RunConfigDialog(int32_t owner)
{
    return static_cast<int>(RunWin32ConfigDialog(instance_, WindowFromInt32(owner), store_));
}

int Win32Host::RunSaverWindow(int32_t parent, int showCommand)
{
    SaverSettings fallback;
    SaverSettings& settings = saverSettings ? *saverSettings : fallback;
    return RunWin32SaverWindow(instance_, WindowFromInt32(parent), showCommand, settings);
}
