// Entry of the Windows saver (quillmoor.scr): the standard screen-saver
// switches from the system's display settings.
#include <windows.h>

#include "host/RunSaverProgram.h"
#include "platform/win32/PerformanceCounterTicks.h"
#include "platform/win32/RegistrySettingsStore.h"
#include "platform/win32/Win32TexturePlatform.h"
#include "platform/win32/WglGlyphLists.h"
#include "platform/win32/Win32Host.h"
#include "scene/FrameClock.h"
#include "scene/TextOverlay.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // The conventional arguments are not used: the instance is the program's
    // own module, the show command comes from the start-up information, and
    // the whole command line is read again.
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const int showCommand = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;

    // The frame clock runs on the performance counter, the frame-rate text
    // on GDI's font bitmaps.
    static PerformanceCounterTicks performanceCounter;
    SetTickSource(&performanceCounter);
    SetGlyphListBuilder(BuildWglGlyphLists);
    // Texture files are mapped and converted by GDI; a failed load ends the
    // program after its box.
    InstallWin32TexturePlatform();

    RegistrySettingsStore store;
    Win32Host host(instance, store);
    return RunSaverProgram(GetCommandLineA(), showCommand, host, store);
}
