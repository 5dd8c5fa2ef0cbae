// Entry of the Linux build: offscreen rendering, or the saver on Wayland or X11.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/RunSaverProgram.h"
#include "platform/linux/HelpText.h"
#include "platform/linux/LaunchOptions.h"
#include "platform/linux/SettingsFile.h"
#include "platform/linux/StderrTexturePlatform.h"
#include "platform/linux/StopSignal.h"
#include "platform/offscreen/OffscreenOptions.h"
#include "platform/offscreen/OffscreenRun.h"
#include "platform/linux/WindowSystemChoice.h"
#include "platform/x11/X11Host.h"
#ifdef QUILLMOOR_WITH_WAYLAND
#include "platform/wayland/WaylandHost.h"
#endif

namespace {

// The saver's switches, or the daemon-style options, on either host.
template <typename Host>
int RunOnHost(Host& host, const LaunchOptions& launch, SettingsStore& store)
{
    int exitCode = 0;
    if (launch.kind == LaunchOptions::Kind::SaverCommandLine)
        exitCode = RunSaverProgram(launch.commandLine.c_str(), kShowDefault, host, store);
    else
        exitCode = host.RunDaemonStyle(launch);
    if (exitCode == 0)
        exitCode = host.failureCode();
    return exitCode;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* const* args = argv;
    // Texture failures go to stderr until the X11 host has its error box.
    InstallStderrTexturePlatform("quillmoor");
    const LaunchOptions launch = ParseLaunchArguments(argc, args, std::getenv("XSCREENSAVER_WINDOW"));
    if (launch.kind == LaunchOptions::Kind::Help || launch.kind == LaunchOptions::Kind::Version) {
        std::printf("%s\n", launch.kind == LaunchOptions::Kind::Help ? HelpText() : VersionText().c_str());
        if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
            std::fprintf(stderr, "quillmoor: cannot write to standard output\n");
            return 1;
        }
        return 0;
    }
    if (WantsOffscreen(argc, args)) {
        OffscreenOptions options;
        std::string error;
        if (!ParseOffscreenOptions(argc, args, options, error)) {
            std::fprintf(stderr, "quillmoor: %s\n%s\n", error.c_str(), OffscreenUsage());
            return 2;
        }
        return RunOffscreen(options);
    }

    if (launch.kind == LaunchOptions::Kind::Invalid) {
        std::fprintf(stderr, "quillmoor: %s\n", launch.error.c_str());
        if (launch.showUsage)
            std::fprintf(stderr, "%s\n", UsageText());
        return 2;
    }
    InstallStopSignalHandlers();
    SettingsFileStore store(DefaultSettingsLocation());
#ifdef QUILLMOOR_WITH_WAYLAND
    if (UsesWayland(launch, std::getenv("WAYLAND_DISPLAY"))) {
        WaylandHost host(store);
        return RunOnHost(host, launch, store);
    }
#endif
    X11Host host(store);
    return RunOnHost(host, launch, store);
}
