#pragma once

#include "host/RunMode.h"
#include "host/SaverPlatform.h"
#include "host/SaverSettings.h"

enum class MessageResult {
    Handled,  // the procedure returns 0
    PassOn,   // default processing follows
};

// Everything the window procedure decides with.
struct SaverWindowContext {
    SaverSettings& settings;
    RunMode mode;
    SaverPlatform& platform;
};

// Saver mode and no password prompt open: input may end the saver.
bool DismissalAllowed(const SaverWindowContext& context);

// The saver window's procedure, without the default processing.
MessageResult SaverWindowProc(const SaverWindowContext& context, const SaverMessage& message);

// The procedure followed by the window system's default processing of what it
// passed on: a Close destroys the window, a close system command closes it.
void DispatchSaverMessage(const SaverWindowContext& context, const SaverMessage& message);

// Destroys the window; the backend delivers the Destroy event.
void DestroySaverWindow(const SaverWindowContext& context);

// Marks the close as the saver's own and queues a Close event.
void RequestClose(const SaverWindowContext& context);
// The password prompt opens (cursor shows) and closes (cursor hides, and the
// mouse threshold is measured from where the cursor is now).
void EnterPasswordDialog(const SaverWindowContext& context);
void LeavePasswordDialog(const SaverWindowContext& context);

// Whether a close at `now` is still inside the grace time after `startTick`:
// unsigned 32-bit arithmetic, so a tick count that wrapped is still right.
bool WithinPasswordGrace(uint32_t startTick, uint32_t now, int32_t passwordDelaySeconds);
