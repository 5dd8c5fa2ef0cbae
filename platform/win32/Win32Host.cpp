#include "platform/win32/Win32Host.h"

#include "platform/win32/Win32ConfigDialog.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32Password.h"
#include "platform/win32/Win32SaverWindow.h"

uint32_t Win32Host::ForegroundWindow()
{
    return WindowIdFromWindow(GetForegroundWindow());
}

void Win32Host::RunPasswordChange(uint32_t owner)
{
    RunSaverPasswordChange(WindowFromWindowId(owner));
}

int Win32Host::RunConfigDialog(uint32_t owner)
{
    return static_cast<int>(RunWin32ConfigDialog(instance_, WindowFromWindowId(owner), store_));
}

int Win32Host::RunSaverWindow(uint32_t parent, int showCommand)
{
    SaverSettings fallback;
    SaverSettings& settings = saverSettings ? *saverSettings : fallback;
    return RunWin32SaverWindow(instance_, WindowFromWindowId(parent), showCommand, settings);
}
