#include "platform/linux/LaunchOptions.h"

#include <cstring>

namespace {

bool Is(const char* arg, const char* name)
{
    // -name and --name are the same option.
    if (arg[0] != '-')
        return false;
    const char* bare = arg[1] == '-' ? arg + 2 : arg + 1;
    return std::strcmp(bare, name) == 0;
}

}  // namespace

bool ParseWindowId(const char* text, unsigned long& id)
{
    if (!text || !*text)
        return false;
    unsigned base = 10;
    const char* p = text;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        base = 16;
        p += 2;
        if (!*p)
            return false;
    }
    unsigned long long value = 0;
    for (; *p; ++p) {
        unsigned digit;
        if (*p >= '0' && *p <= '9')
            digit = static_cast<unsigned>(*p - '0');
        else if (base == 16 && *p >= 'a' && *p <= 'f')
            digit = static_cast<unsigned>(*p - 'a' + 10);
        else if (base == 16 && *p >= 'A' && *p <= 'F')
            digit = static_cast<unsigned>(*p - 'A' + 10);
        else
            return false;
        value = value * base + digit;
        if (value > 0xFFFFFFFFull)
            return false;
    }
    if (value == 0)
        return false;
    id = static_cast<unsigned long>(value);
    return true;
}

LaunchOptions ParseLaunchArguments(int argc, const char* const argv[], const char* daemonWindow)
{
    LaunchOptions options;
    unsigned long daemonId = 0;
    const bool haveDaemonWindow = daemonWindow && ParseWindowId(daemonWindow, daemonId);

    bool daemonStyle = false;
    bool root = false;
    bool ownWindow = false;
    bool windowIdGiven = false;
    unsigned long windowId = 0;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i] ? argv[i] : "";
        // "-help" and "-version" were never saver switches: h and v name none.
        if (Is(arg, "help") || Is(arg, "version")) {
            options.kind = Is(arg, "help") ? LaunchOptions::Kind::Help : LaunchOptions::Kind::Version;
            return options;
        }
        if (Is(arg, "root")) {
            daemonStyle = root = true;
        } else if (Is(arg, "window")) {
            daemonStyle = ownWindow = true;
        } else if (Is(arg, "window-id")) {
            daemonStyle = windowIdGiven = true;
            if (i + 1 >= argc || !ParseWindowId(argv[i + 1], windowId)) {
                options.kind = LaunchOptions::Kind::Invalid;
                options.error = std::string("-window-id needs a window id (decimal or 0x hex), not '")
                    + (i + 1 < argc && argv[i + 1] ? argv[i + 1] : "") + "'";
                return options;
            }
            ++i;
        } else if (daemonStyle) {
            options.kind = LaunchOptions::Kind::Invalid;
            options.error = std::string("unknown option '") + arg + "'";
            return options;
        } else {
            break;  // the saver's own switches
        }
    }

    if (daemonStyle || (argc <= 1 && haveDaemonWindow)) {
        if (haveDaemonWindow && !ownWindow) {
            options.kind = LaunchOptions::Kind::IntoWindow;
            options.windowId = daemonId;
        } else if (windowIdGiven) {
            options.kind = LaunchOptions::Kind::IntoWindow;
            options.windowId = windowId;
        } else if (root) {
            options.kind = LaunchOptions::Kind::Root;
        } else {
            options.kind = LaunchOptions::Kind::OrdinaryWindow;
        }
        return options;
    }

    // The saver switches read the line as the system hands it over: a quoted
    // program name, then the arguments separated by blanks.
    options.kind = LaunchOptions::Kind::SaverCommandLine;
    options.commandLine = "\"quillmoor\"";
    for (int i = 1; i < argc; ++i) {
        options.commandLine += ' ';
        options.commandLine += argv[i] ? argv[i] : "";
    }
    return options;
}
