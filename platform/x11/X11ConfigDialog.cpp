#include "platform/x11/X11ConfigDialog.h"

#include "host/ConfigDialogProc.h"
#include "platform/x11/X11ButtonDialog.h"

int RunX11ConfigDialog(Display* display, Window owner, SaverSettings& settings, SettingsStore& store)
{
    const std::vector<std::string> lines = {
        "Quillmoor",
        "This screen saver has no settings of its own.",
        "The common screen-saver settings file holds the",
        "password delay and the mouse threshold.",
    };
    for (;;) {
        const int control = RunButtonDialog(display, owner, kConfigDialogTitle, lines,
                                            {{"OK", kConfigOk}, {"Cancel", kConfigCancel}}, kConfigOk, kConfigCancel);
        const int result = ConfigDialogCommand(control, settings, store);
        if (result != 0)
            return result;
    }
}
