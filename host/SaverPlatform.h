#pragma once
#include <cstdint>

#include "host/SaverSettings.h"

// The events a window-system backend translates its messages into before
// handing them to the saver's window procedure.
enum class SaverEvent {
    Create,            // the window is being created
    Destroy,           // the window is gone
    Activate,          // wParam low 16 bits 0: this window loses activation
    ActivateApp,       // wParam low 16 bits 0: the program loses activation
    NcActivate,        // wParam low 16 bits 0: the frame shows inactive
    Close,             // a request to close the window (from anyone)
    SetCursor,         // the window must set the cursor shape
    KeyDown,           // an ordinary key
    SysKeyDown,        // a system key (Alt, or a key with Alt held)
    LeftButtonDown,
    RightButtonDown,
    MiddleButtonDown,
    SysCommand,        // wParam: a system command such as kScClose
    MouseMove,
    Other,
};

struct SaverMessage {
    SaverEvent event = SaverEvent::Other;
    uint32_t wParam = 0;
};

// System command codes, as the window system numbers them.
inline constexpr uint32_t kScClose = 0xF060;
inline constexpr uint32_t kScScreenSave = 0xF140;

// What the window procedure needs of the window system. Backends implement it
// for the saver window; tests implement it with a scripted fake.
class SaverPlatform {
public:
    virtual ~SaverPlatform() = default;
    virtual WindowHandle Window() = 0;
    virtual CursorPoint CursorPosition() = 0;  // screen coordinates
    virtual uint32_t TickCount() = 0;          // milliseconds, wraps at 2^32
    // Queues a close request to the window; it arrives as a Close event later.
    virtual void PostCloseMessage() = 0;
    // Destroys the window and, before returning, delivers the Destroy event
    // to the procedure once, as the window system does.
    virtual void DestroyWindow() = 0;
    virtual void PostQuitMessage() = 0;
    virtual void SetCursorVisible(bool visible) = 0;
    virtual void KillTimer(int32_t timerId) = 0;
    // The system's screen-saver password check: prompts, and returns true when
    // the saver may close. Platforms without one return true.
    virtual bool VerifyPassword() = 0;
};
