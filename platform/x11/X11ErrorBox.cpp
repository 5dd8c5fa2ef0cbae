#include "platform/x11/X11ErrorBox.h"

#include <cstdio>

#include "host/SetupErrors.h"
#include "platform/x11/X11ButtonDialog.h"

void ShowErrorBox(Display* display, const char* text)
{
    std::fprintf(stderr, "quillmoor: %s\n", text);
    std::fflush(stderr);
    if (display)
        RunButtonDialog(display, None, kErrorTitle, {text}, {{"OK", 1}}, 1, 1);
}
