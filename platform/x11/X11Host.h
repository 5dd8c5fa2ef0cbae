#pragma once
#include <X11/Xlib.h>

#include "host/RunSaverProgram.h"
#include "platform/linux/LaunchOptions.h"

// The run modes on X11: the configuration dialog, the saver window in its
// full-screen, preview, daemon and ordinary-window forms. There is no system
// password change, so that mode does nothing. The display is opened only by
// the modes that show something, so that the others run without one.
class X11Host : public SaverHost {
public:
    explicit X11Host(SettingsStore& store) : store_(store) {}
    ~X11Host() override;
    X11Host(const X11Host&) = delete;
    X11Host& operator=(const X11Host&) = delete;

    uint32_t ForegroundWindow() override;
    void RunPasswordChange(uint32_t owner) override;
    int RunConfigDialog(uint32_t owner) override;
    int RunSaverWindow(uint32_t parent, int showCommand) override;

    // -root, -window-id / XSCREENSAVER_WINDOW and -window: the saver draws
    // without dismissal (a daemon owns input and locking).
    int RunDaemonStyle(const LaunchOptions& launch);

    // 1 once a mode could not reach the display or save the settings
    // (already reported), else 0.
    int failureCode() const { return displayMissing_ || saveFailed_ ? 1 : 0; }

private:
    // The display, opened on first use; null (reported once) when there is none.
    Display* Connect();

    SettingsStore& store_;
    Display* display_ = nullptr;
    bool displayMissing_ = false;
    bool saveFailed_ = false;
};
