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
        Offscreen,         // --offscreen: the offscreen options take over
        Help,              // --help: print the usage
        Version,           // --version: print the version
        Invalid,           // `error` says why; exit status 2
    };
    Kind kind = Kind::SaverCommandLine;
    std::string commandLine;
    unsigned long windowId = 0;
    std::string error;
    bool showUsage = false;  // with Invalid: the option itself was not understood
};

// Reads argv (argv[0] is not used). `daemonWindow` is the value of
// XSCREENSAVER_WINDOW or null; when it names a window it wins over -root and
// -window-id, and it alone (no arguments) draws into it too; when it is set
// to anything else those forms are an error. --help and --version count
// among the daemon options: before any saver switch. A dash word that is
// neither a daemon option nor a saver switch (-s, -p 1234, -c:5, ...) is an
// error; the '/' switches keep their rule that an unknown one shows nothing.
// The preview's window id must be decimal text naming a possible window.
LaunchOptions ParseLaunchArguments(int argc, const char* const argv[], const char* daemonWindow);

// X window ids never use the top three bits of 32.
inline constexpr unsigned long kLargestWindowId = 0x1FFFFFFFul;

// A window id as decimal or 0x-prefixed hexadecimal text; false unless the
// whole text is one in 1..kLargestWindowId.
bool ParseWindowId(const char* text, unsigned long& id);
