#include "platform/win32/Win32SaverPlatform.h"

#include "platform/win32/Win32Password.h"

WindowHandle Win32SaverPlatform::Window()
{
    return reinterpret_cast<WindowHandle>(window_);
}

CursorPoint Win32SaverPlatform::CursorPosition()
{
    POINT point{};
    GetCursorPos(&point);
    return CursorPoint{static_cast<int32_t>(point.x), static_cast<int32_t>(point.y)};
}

uint32_t Win32SaverPlatform::TickCount()
{
    return GetTickCount();
}

void Win32SaverPlatform::PostCloseMessage()
{
    PostMessageA(window_, WM_CLOSE, 0, 0);
}

void Win32SaverPlatform::DestroyWindow()
{
    ::DestroyWindow(window_);
}

void Win32SaverPlatform::PostQuitMessage()
{
    ::PostQuitMessage(0);
}

void Win32SaverPlatform::SetCursorVisible(bool visible)
{
    SetCursor(visible ? LoadCursorA(nullptr, IDC_ARROW) : nullptr);
}

void Win32SaverPlatform::KillTimer(int32_t timerId)
{
    ::KillTimer(window_, static_cast<UINT_PTR>(timerId));
}

bool Win32SaverPlatform::VerifyPassword()
{
    return VerifySaverPassword(window_);
}
