#pragma once
#include <windows.h>

#include "host/SaverPlatform.h"

// What the saver's window procedure needs of Windows, for one window. It
// holds nothing but the handle, so the window procedure makes one per message.
class Win32SaverPlatform : public SaverPlatform {
public:
    explicit Win32SaverPlatform(HWND window) : window_(window) {}

    WindowHandle Window() override;
    CursorPoint CursorPosition() override;
    uint32_t TickCount() override;
    void PostCloseMessage() override;
    // DestroyWindow sends WM_DESTROY through the window procedure itself.
    void DestroyWindow() override;
    void PostQuitMessage() override;
    void SetCursorVisible(bool visible) override;
    void KillTimer(int32_t timerId) override;
    bool VerifyPassword() override;

private:
    HWND window_;
};
