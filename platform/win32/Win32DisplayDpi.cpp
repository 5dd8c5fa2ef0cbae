#include "platform/win32/Win32DisplayDpi.h"

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up at run time: older systems lack it and would refuse to load a
// program that imports it.
GetDpiForWindowFunction FindGetDpiForWindow()
{
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    if (!user32)
        return nullptr;
    return reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetDpiForWindow")));
}

int ScreenDpi()
{
    const HDC screen = GetDC(nullptr);
    if (!screen)
        return 0;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace

int WindowDpi(HWND window)
{
    static const GetDpiForWindowFunction getDpiForWindow = FindGetDpiForWindow();
    if (getDpiForWindow && window) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0)
            return static_cast<int>(dpi);
    }
    return ScreenDpi();
}
