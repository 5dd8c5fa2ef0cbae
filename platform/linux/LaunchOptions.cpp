#include "platform/linux/LaunchOptions.h"

#include <cstring>

#include "host/CommandLine.h"

namespace {

bool Is(const char* arg, const char* name)
{
    // -name and --name are the same option.
    if (arg[0] != '-')
        return false;
    const char* bare = arg[1] == '-' ? arg + 2 : arg + 1;
    return std::strcmp(bare, name) == 0;
}

// A saver switch written with a dash: one switch letter, then nothing, or
// the number after a colon, a blank, a sign or directly (-s, -S, -p 5,
// -p:5, -l5, -c, -a 78). A lone dash is an unknown switch that shows nothing.
bool IsDashSaverSwitch(const char* arg)
{
    if (arg[0] != '-')
        return false;
    if (arg[1] == '\0')
        return true;
    if (!std::strchr("pPlLsScCaA", arg[1]))
        return false;
    const char next = arg[2];
    return next == '\0' || std::strchr(": +-0123456789", next);
}

LaunchOptions Invalid(std::string error, bool showUsage = false)
{
    LaunchOptions options;
    options.kind = LaunchOptions::Kind::Invalid;
    options.error = std::move(error);
    options.showUsage = showUsage;
    return options;
}

// The preview's number is decimal, as the system passes it; say so when it
// is not, rather than look for window 0 or for a saturated 2147483647.
bool CheckPreviewNumber(const char* text, std::string& error)
{
    std::string word(text, std::strcspn(text, " "));
    unsigned long id = 0;
    if ((word.compare(0, 2, "0x") == 0 || word.compare(0, 2, "0X") == 0) && ParseWindowId(word.c_str(), id)) {
        error = "/p takes a decimal window id: " + word + " is hexadecimal, write /p " + std::to_string(id)
            + " (or -window-id " + word + ")";
        return false;
    }
    size_t digits = std::strspn(text, "0123456789");
    unsigned long long value = 0;
    for (size_t i = 0; i < digits && value <= kLargestWindowId; ++i)
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
    if (digits == 0 || value == 0) {
        error = "the preview needs the id of a window to draw in (/p ID, in decimal), not '" + word + "'";
        return false;
    }
    if (value > kLargestWindowId) {
        error = "/p " + std::string(text, digits) + ": no X window has an id above "
            + std::to_string(kLargestWindowId);
        return false;
    }
    return true;
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
        if (value > kLargestWindowId)
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
    // An exported but empty variable is one the daemon did not set.
    if (daemonWindow && !*daemonWindow)
        daemonWindow = nullptr;
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
        if (std::strcmp(arg, "--offscreen") == 0 && !daemonStyle) {
            options.kind = LaunchOptions::Kind::Offscreen;
            return options;
        }
        if (Is(arg, "root")) {
            daemonStyle = root = true;
        } else if (Is(arg, "window")) {
            daemonStyle = ownWindow = true;
        } else if (Is(arg, "window-id")) {
            daemonStyle = windowIdGiven = true;
            if (i + 1 >= argc || !ParseWindowId(argv[i + 1], windowId))
                return Invalid(std::string("-window-id needs a window id (decimal or 0x hex), not '")
                               + (i + 1 < argc && argv[i + 1] ? argv[i + 1] : "") + "'");
            ++i;
        } else if (daemonStyle || (arg[0] == '-' && !IsDashSaverSwitch(arg))) {
            return Invalid(std::string("unknown option '") + arg + "'", true);
        } else {
            break;  // the saver's own switches
        }
    }

    const bool consultsDaemonWindow = (daemonStyle && !ownWindow) || argc <= 1;
    if (consultsDaemonWindow && daemonWindow && !haveDaemonWindow)
        return Invalid(std::string("XSCREENSAVER_WINDOW is '") + daemonWindow
                       + "', not a window id (decimal or 0x hex)");

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
    const SaverCommandLine parsed = ParseSaverCommandLine(options.commandLine.c_str());
    std::string error;
    if (parsed.mode == kRunModePreview && !CheckPreviewNumber(options.commandLine.c_str() + parsed.numberAt, error))
        return Invalid(error);
    return options;
}
