#pragma once
#include <string>

// How the Linux program was asked to run, before the saver's own command
// line is looked at: the saver switches (/s, /p ID, /c, /a), the options a
// screen-saver daemon and a user trying it out use, or --help / --version.
struct LaunchOptions {
    enum class Kind {
        SaverCommandLine,  // the saver switches, joined into `commandLine`
        IntoWindow,        // -window-id ID, or the daemon's XSCREENSAVER_WINDOW
        Root,              // -root: the root window
        OrdinaryWindow,    // -window: a resizable window of its own
        Help,              // --help: print the usage
        Version,           // --version: print the version
        Invalid,           // `error` says why
    };
    Kind kind = Kind::SaverCommandLine;
    std::string commandLine;
    unsigned long windowId = 0;
    std::string error;
};

// Reads argv (argv[0] is not used). `daemonWindow` is the value of
// XSCREENSAVER_WINDOW or null; when it names a window it wins over -root and
// -window-id, and it alone (no arguments) draws into it too. --help and
// --version count among the daemon options: before any saver switch.
LaunchOptions ParseLaunchArguments(int argc, const char* const argv[], const char* daemonWindow);

// A window id as decimal or 0x-prefixed hexadecimal text; false unless the
// whole text is one in 1..0xFFFFFFFF.
bool ParseWindowId(const char* text, unsigned long& id);
