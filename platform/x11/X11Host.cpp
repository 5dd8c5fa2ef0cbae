#include "platform/x11/X11Host.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/linux/FontGlyphs.h"
#include "platform/x11/X11ConfigDialog.h"
#include "platform/x11/X11ErrorBox.h"
#include "platform/x11/X11SaverWindow.h"
#include "platform/x11/X11Support.h"
#include "platform/x11/X11TexturePlatform.h"
#include "scene/TextOverlay.h"

X11Host::~X11Host()
{
    if (display_)
        XCloseDisplay(display_);
}

Display* X11Host::Connect()
{
    if (display_ || displayMissing_)
        return display_;
    display_ = XOpenDisplay(nullptr);
    if (display_) {
        InstallX11ErrorHandlers();
        return display_;
    }
    displayMissing_ = true;
    const char* name = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (name && *name)
        std::fprintf(stderr, "quillmoor: cannot open the X display '%s'\n", name);
    else if (wayland && *wayland)
        std::fprintf(stderr, "quillmoor: this mode draws in an X11 window, and this Wayland session has no "
                             "X display (DISPLAY is not set): -root, -window-id, the preview and the "
                             "settings dialog need one; /s and -window run on Wayland itself\n");
    else
        std::fprintf(stderr, "quillmoor: no X display (DISPLAY is not set); "
                             "without one, render to files with: quillmoor --offscreen\n");
    return nullptr;
}

uint32_t X11Host::ForegroundWindow()
{
    if (!Connect())
        return 0;
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    return focus == None || focus == PointerRoot ? 0 : static_cast<uint32_t>(focus);
}

void X11Host::RunPasswordChange(uint32_t)
{
}

int X11Host::RunConfigDialog(uint32_t owner)
{
    if (!Connect())
        return 0;
    SaverSettings fallback;
    SaverSettings& settings = saverSettings ? *saverSettings : fallback;
    const int result =
        RunX11ConfigDialog(display_, static_cast<Window>(owner), settings, store_);
    const std::string writeError = store_.WriteError();
    if (!writeError.empty()) {
        // The user asked for the settings to be kept: say that they were not.
        ShowErrorBox(display_, writeError.c_str());
        saveFailed_ = true;
    }
    return result;
}

int X11Host::RunSaverWindow(uint32_t parent, int /*showCommand: X windows map as they are*/)
{
    if (!Connect())
        return 1;
    SetGlyphListBuilder(BuildFontGlyphLists);
    InstallX11TexturePlatform(display_);
    SaverSettings fallback;
    SaverSettings& settings = saverSettings ? *saverSettings : fallback;
    X11SaverTarget target;
    if (runMode == kRunModePreview) {
        // X ids never reach the top bit: one there was a negative number.
        if (parent == 0 || parent > INT32_MAX) {
            std::fprintf(stderr, "quillmoor: the preview needs the id of a window to draw in (/p ID)\n");
            return 1;
        }
        target.kind = X11SaverTarget::Kind::ChildOf;
        target.window = static_cast<Window>(parent);
    }
    return RunX11SaverWindow(display_, target, runMode, settings);
}

int X11Host::RunDaemonStyle(const LaunchOptions& launch)
{
    if (!Connect())
        return 1;
    SetGlyphListBuilder(BuildFontGlyphLists);
    InstallX11TexturePlatform(display_);
    runMode = kRunModePreview;
    SaverSettings settings;
    saverSettings = &settings;
    LoadStandardSettings(settings, store_);
    LoadOwnSettings(settings, store_);

    X11SaverTarget target;
    switch (launch.kind) {
    case LaunchOptions::Kind::IntoWindow:
        target.kind = X11SaverTarget::Kind::Into;
        target.window = static_cast<Window>(launch.windowId);
        break;
    case LaunchOptions::Kind::Root:
        target.kind = X11SaverTarget::Kind::Into;
        target.window = DefaultRootWindow(display_);
        break;
    default:
        target.kind = X11SaverTarget::Kind::Ordinary;
        break;
    }
    const int result = RunX11SaverWindow(display_, target, runMode, settings);
    saverSettings = nullptr;
    return result;
}
