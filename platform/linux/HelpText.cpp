#include "platform/linux/HelpText.h"

#include "QuillmoorVersion.h"

#define QUILLMOOR_USAGE                                 \
    "Usage: quillmoor [SWITCH]\n"                       \
    "       quillmoor -root | -window | -window-id ID\n" \
    "       quillmoor --offscreen [OPTION]...\n"         \
    "       quillmoor --help | --version\n"

const char* UsageText()
{
    return QUILLMOOR_USAGE "Try 'quillmoor --help' for more.";
}

const char* HelpText()
{
    return QUILLMOOR_USAGE
           "\n"
           "Quillmoor, a 3D OpenGL screen saver: stars and four flyers in front of a\n"
           "fixed camera, switching between colour and sepia every 20 seconds.\n"
           "\n"
           "Screen-saver switches, as Windows' display settings pass them ('-' or '/',\n"
           "any letter case; the number may follow a blank, a colon or nothing):\n"
           "  /s               full screen; a key, a mouse button or moving the mouse\n"
           "                   ends it\n"
           "  /p ID, /l ID     a preview inside the X window ID (decimal only)\n"
           "  /c               the configuration dialog, as with no argument at all\n"
           "  /a               change the saver password (Linux has none: does nothing)\n"
           "Any other '/' switch, or a lone '-', shows nothing and exits 0; any other\n"
           "word starting with '-' is an unknown option (exit status 2).\n"
           "\n"
           "Screen-saver daemon options (one dash or two):\n"
           "  -root            draw on the root window, or the daemon's window below\n"
           "  -window          draw in an ordinary resizable window, to try it out\n"
           "  -window-id ID    draw into the window ID (decimal or 0x hexadecimal)\n"
           "When XSCREENSAVER_WINDOW names a window, -root and -window-id draw into it;\n"
           "set to anything else, it is an error (exit status 2).\n"
           "\n"
           "On a Wayland session (WAYLAND_DISPLAY set), /s covers every output and\n"
           "-window opens a Wayland window; the preview, -root, -window-id and the\n"
           "dialog need an X display. To start it after idle time with swayidle:\n"
           "  swayidle -w timeout 600 'quillmoor /s'\n"
           "\n"
           "Offscreen rendering, with no display (writes DIR/frame-0001.png, ...):\n"
           "  --offscreen      render frames to PNG files instead of a window\n"
           "  --frames N       how many frames, 1 to 2147483647 (1)\n"
           "  --size WxH       frame size in pixels, each side 1 to 16384 (640x480)\n"
           "  --out DIR        the folder for the frames (frames)\n"
           "  --no-png         render without writing files\n"
           "  --seed S         fix the random sequence, 0 to 4294967295\n"
           "  --start SECONDS  simulated clock: the first frame shows this moment, 0 to\n"
           "                   31622400 (a year). The show is played from 0 up to it at\n"
           "                   the step, undrawn but for its last frame (--start 300: 7500\n"
           "                   frames at 40 ms). At most 2160000 frames lead in (a day at\n"
           "                   40 ms, some minutes); more is refused\n"
           "  --step MS        simulated clock: milliseconds from frame to frame, 0 to\n"
           "                   86400000 (40)\n"
           "  --model NAME     one model alone, turning: A, B1, B2, C or D\n"
           "  --sepia          with --model: in sepia mode\n"
           "  --renderer NAME  software (Mesa's software rasteriser through EGL, the\n"
           "                   default) or default (EGL's first choice: with Mesa's\n"
           "                   drivers a GPU's when there is one, else what the EGL\n"
           "                   vendor picks)"
#ifdef QUILLMOOR_WITH_OSMESA
           "; osmesa (Mesa's older offscreen library) in this build"
#endif
           "; also $QUILLMOOR_RENDERER\n"
           "\n"
           "  --help           print this help and exit\n"
           "  --version        print the version and exit\n"
           "\n"
           "Settings: $QUILLMOOR_SETTINGS, else $XDG_CONFIG_HOME/quillmoor/settings.ini,\n"
           "else ~/.config/quillmoor/settings.ini (an absolute HOME only). OK in the\n"
           "dialog replaces the file at once or not at all; when it cannot, it says\n"
           "why and exits 1. With QUILLMOOR_FRAME_REPORT set, a run prints\n"
           "'quillmoor: frames N seconds S first-frame-clock C' on stderr as it ends.\n"
           "The manual page quillmoor(6) has more.";
}

std::string VersionText()
{
    return std::string("quillmoor ") + QUILLMOOR_VERSION;
}
