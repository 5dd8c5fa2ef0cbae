#include "platform/x11/X11Support.h"

#include <poll.h>
#include <unistd.h>

#include <cstdio>

namespace {

int lastError = Success;

int OnXError(Display*, XErrorEvent* event)
{
    lastError = event->error_code;
    return 0;
}

int OnXIoError(Display*)
{
    // The display is gone (the server ended): nothing is left to draw into.
    std::fprintf(stderr, "quillmoor: lost the connection to the X display\n");
    _exit(1);
}

}  // namespace

void InstallX11ErrorHandlers()
{
    XSetErrorHandler(OnXError);
    XSetIOErrorHandler(OnXIoError);
}

int SyncAndTakeError(Display* display)
{
    XSync(display, False);
    const int error = lastError;
    lastError = Success;
    return error;
}

bool QueryWindow(Display* display, Window window, XWindowAttributes& attributes)
{
    if (window == None)
        return false;
    SyncAndTakeError(display);
    const Status status = XGetWindowAttributes(display, window, &attributes);
    return SyncAndTakeError(display) == Success && status != 0;
}

bool WaitForDisplay(Display* display, int timeoutMs)
{
    if (XPending(display) > 0)
        return true;
    pollfd descriptor{};
    descriptor.fd = ConnectionNumber(display);
    descriptor.events = POLLIN;
    return poll(&descriptor, 1, timeoutMs) > 0 && XPending(display) > 0;
}
