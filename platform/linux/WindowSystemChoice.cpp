#include "platform/linux/WindowSystemChoice.h"

#include "host/CommandLine.h"

bool UsesWayland(const LaunchOptions& launch, const char* waylandDisplay)
{
    if (!waylandDisplay || !*waylandDisplay)
        return false;
    if (launch.kind == LaunchOptions::Kind::OrdinaryWindow)
        return true;
    return launch.kind == LaunchOptions::Kind::SaverCommandLine
        && ParseSaverCommandLine(launch.commandLine.c_str()).mode == kRunModeSaver;
}
