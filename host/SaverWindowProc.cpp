#include "host/SaverWindowProc.h"

#include "scene/DisplayScale.h"

namespace {

bool LosesActivation(const SaverMessage& message)
{
    return (message.wParam & 0xFFFFu) == 0;
}

int64_t Distance(int32_t a, int32_t b)
{
    const int64_t d = static_cast<int64_t>(a) - static_cast<int64_t>(b);
    return d < 0 ? -d : d;
}

void CloseRule(const SaverWindowContext& context)
{
    SaverSettings& settings = context.settings;
    if (settings.closeRequested == 0 || settings.inPasswordDialog == 1)
        return;
    if (WithinPasswordGrace(settings.startTick, context.platform.TickCount(), settings.passwordDelay)) {
        DestroySaverWindow(context);
        return;
    }
    EnterPasswordDialog(context);
    const bool accepted = context.platform.VerifyPassword();
    LeavePasswordDialog(context);
    if (accepted)
        DestroySaverWindow(context);
}

}  // namespace

bool WithinPasswordGrace(uint32_t startTick, uint32_t now, int32_t passwordDelaySeconds)
{
    const uint32_t elapsed = now - startTick;
    const uint32_t grace = static_cast<uint32_t>(passwordDelaySeconds) * 1000u;
    return elapsed <= grace;
}

bool DismissalAllowed(const SaverWindowContext& context)
{
    return context.mode == kRunModeSaver && context.settings.inPasswordDialog == 0;
}

void RequestClose(const SaverWindowContext& context)
{
    context.settings.closeRequested = 1;
    context.platform.PostCloseMessage();
}

void EnterPasswordDialog(const SaverWindowContext& context)
{
    context.settings.inPasswordDialog = 1;
    SaverWindowProc(context, {SaverEvent::SetCursor, 0});
}

void LeavePasswordDialog(const SaverWindowContext& context)
{
    context.settings.inPasswordDialog = 0;
    SaverWindowProc(context, {SaverEvent::SetCursor, 0});
    context.settings.startCursor = context.platform.CursorPosition();
}

void DestroySaverWindow(const SaverWindowContext& context)
{
    // The window system delivers the Destroy event itself (Windows from
    // inside DestroyWindow, the X11 backend by synthesising it).
    context.platform.DestroyWindow();
}

MessageResult SaverWindowProc(const SaverWindowContext& context, const SaverMessage& message)
{
    SaverSettings& settings = context.settings;
    SaverPlatform& platform = context.platform;
    switch (message.event) {
    case SaverEvent::Create:
        settings.window = platform.Window();
        settings.startCursor = platform.CursorPosition();
        settings.startTick = platform.TickCount();
        break;
    case SaverEvent::Destroy:
        if (settings.timerId != 0)
            platform.KillTimer(settings.timerId);
        settings.timerId = 0;
        platform.PostQuitMessage();
        break;
    case SaverEvent::Activate:
    case SaverEvent::ActivateApp:
    case SaverEvent::NcActivate:
        if (DismissalAllowed(context) && LosesActivation(message))
            RequestClose(context);
        break;
    case SaverEvent::Close:
        if (context.mode != kRunModeSaver)
            break;
        CloseRule(context);
        return MessageResult::Handled;
    case SaverEvent::SetCursor:
        platform.SetCursorVisible(!DismissalAllowed(context));
        break;
    case SaverEvent::KeyDown:
    case SaverEvent::LeftButtonDown:
    case SaverEvent::RightButtonDown:
    case SaverEvent::MiddleButtonDown:
        if (DismissalAllowed(context))
            RequestClose(context);
        break;
    case SaverEvent::SysCommand:
        if (context.mode == kRunModeSaver && (message.wParam == kScScreenSave || message.wParam == kScClose))
            return MessageResult::Handled;
        break;
    case SaverEvent::MouseMove:
        if (DismissalAllowed(context)) {
            const CursorPoint now = platform.CursorPosition();
            // The threshold is travel at 96 DPI.
            const int64_t threshold = ScaleToDpi(settings.mouseThreshold, DisplayDpi());
            if (Distance(now.x, settings.startCursor.x) > threshold
                || Distance(now.y, settings.startCursor.y) > threshold)
                RequestClose(context);
        }
        break;
    case SaverEvent::SysKeyDown:
    case SaverEvent::Other:
        break;
    }
    return MessageResult::PassOn;
}

void DispatchSaverMessage(const SaverWindowContext& context, const SaverMessage& message)
{
    if (SaverWindowProc(context, message) == MessageResult::Handled)
        return;
    if (message.event == SaverEvent::Close)
        DestroySaverWindow(context);
    else if (message.event == SaverEvent::SysCommand && message.wParam == kScClose)
        DispatchSaverMessage(context, {SaverEvent::Close, 0});
}
