#pragma once
#include <X11/Xlib.h>

#include "host/RunSaverProgram.h"
#include "platform/linux/LaunchOptions.h"

// The run modes on X11: the configuration dialog, the saver window in its
// full-screen, preview, daemon and ordinary-window forms. There is no system
// password change, so that mode does nothing.
class X11Host : public SaverHost {
public:
    X11Host(Display* display, SettingsStore& store) : display_(display), store_(store) {}

    int32_t ForegroundWindow() override;
    void RunPasswordChange(int32_t owner) override;
    int RunConfigDialog(int32_t owner) override;
    int RunSaverWindow(int32_t parent) override;

    // -root, -window-id / XSCREENSAVER_WINDOW and -window: the saver draws
    // without dismissal (a daemon owns input and locking).
    int RunDaemonStyle(const LaunchOptions& launch);

private:
    Display* display_;
    SettingsStore& store_;
};
