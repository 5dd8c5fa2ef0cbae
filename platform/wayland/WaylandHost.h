#pragma once
#include <wayland-client.h>

#include "host/RunSaverProgram.h"
#include "platform/linux/LaunchOptions.h"

// The run modes on a Wayland compositor: full screen and -window. The
// preview and the settings dialog are X11 windows, chosen before this host
// is (UsesWayland); asked for here anyway, they say so and fail.
class WaylandHost : public SaverHost {
public:
    explicit WaylandHost(SettingsStore& store) : store_(store) {}
    ~WaylandHost() override;
    WaylandHost(const WaylandHost&) = delete;
    WaylandHost& operator=(const WaylandHost&) = delete;

    uint32_t ForegroundWindow() override { return 0; }
    void RunPasswordChange(uint32_t) override {}
    int RunConfigDialog(uint32_t owner) override;
    int RunSaverWindow(uint32_t parent, int showCommand) override;

    // -window: the show in an ordinary resizable window, without dismissal.
    int RunDaemonStyle(const LaunchOptions& launch);

    // 1 once a mode could not reach the compositor or set itself up (already
    // reported), else 0.
    int failureCode() const { return failed_ ? 1 : 0; }

private:
    // The connection, made on first use; null (reported once) without one.
    wl_display* Connect();

    SettingsStore& store_;
    wl_display* display_ = nullptr;
    bool failed_ = false;
};
