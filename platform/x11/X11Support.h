#pragma once
#include <X11/Xlib.h>

// X errors never end the program: a window another client owns may vanish at
// any moment. The handler keeps the last error code for whoever asks.
void InstallX11ErrorHandlers();

// Runs the requests made since the last call and returns the code of an error
// among them (Success when none).
int SyncAndTakeError(Display* display);

// Whether `window` is a live window, with its attributes when it is.
bool QueryWindow(Display* display, Window window, XWindowAttributes& attributes);

// Waits up to `timeoutMs` for input from the display; true when some is there.
// Returns early on a signal.
bool WaitForDisplay(Display* display, int timeoutMs);
