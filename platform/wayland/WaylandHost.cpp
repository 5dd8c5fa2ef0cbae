#include "platform/wayland/WaylandHost.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/linux/FontGlyphs.h"
#include "platform/wayland/WaylandSaverWindow.h"
#include "scene/TextOverlay.h"

WaylandHost::~WaylandHost()
{
    if (display_)
        wl_display_disconnect(display_);
}

wl_display* WaylandHost::Connect()
{
    if (display_ || failed_)
        return display_;
    display_ = wl_display_connect(nullptr);
    if (display_)
        return display_;
    const int why = errno;
    failed_ = true;
    const char* name = std::getenv("WAYLAND_DISPLAY");
    std::fprintf(stderr, "quillmoor: cannot connect to the Wayland compositor '%s': %s\n", name ? name : "",
                 std::strerror(why));
    return nullptr;
}

int WaylandHost::RunConfigDialog(uint32_t)
{
    std::fprintf(stderr, "quillmoor: the settings dialog is an X11 window: it needs an X display\n");
    failed_ = true;
    return 0;
}

int WaylandHost::RunSaverWindow(uint32_t, int /*showCommand: a toplevel shows as the compositor places it*/)
{
    if (runMode != kRunModeSaver) {
        std::fprintf(stderr, "quillmoor: the preview draws into an X11 window: it needs an X display\n");
        failed_ = true;
        return 1;
    }
    if (!Connect())
        return 1;
    SetGlyphListBuilder(BuildFontGlyphLists);
    SaverSettings fallback;
    SaverSettings& settings = saverSettings ? *saverSettings : fallback;
    return RunWaylandSaverWindow(display_, WaylandSaverKind::FullScreen, runMode, settings);
}

int WaylandHost::RunDaemonStyle(const LaunchOptions&)
{
    if (!Connect())
        return 1;
    SetGlyphListBuilder(BuildFontGlyphLists);
    runMode = kRunModePreview;
    SaverSettings settings;
    saverSettings = &settings;
    LoadStandardSettings(settings, store_);
    LoadOwnSettings(settings, store_);
    const int result = RunWaylandSaverWindow(display_, WaylandSaverKind::Ordinary, runMode, settings);
    saverSettings = nullptr;
    return result;
}
