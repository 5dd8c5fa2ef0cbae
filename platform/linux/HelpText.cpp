#include "platform/linux/HelpText.h"

#include "QuillmoorVersion.h"

const char* HelpText()
{
    return "Usage: quillmoor [SWITCH]\n"
           "       quillmoor -root | -window | -window-id ID\n"
           "       quillmoor --offscreen [OPTION]...\n"
           "       quillmoor --help | --version\n"
           "\n"
           "Quillmoor, a 3D OpenGL screen saver: stars and four flyers in front of a\n"
           "fixed camera, switching between colour and sepia every 20 seconds.\n"
           "\n"
           "Screen-saver switches, as Windows' display settings pass them ('-' or '/',\n"
           "any letter case; the number may follow a blank, a colon or nothing):\n"
           "  /s               full screen; a key, a mouse button or moving the mouse\n"
           "                   ends it\n"
           "  /p ID, /l ID     a preview inside the X window ID (decimal)\n"
           "  /c               the configuration dialog, as with no argument at all\n"
           "  /a               change the saver password (Linux has none: does nothing)\n"
           "Any other switch shows nothing and exits 0.\n"
           "\n"
           "Screen-saver daemon options (one dash or two):\n"
           "  -root            draw on the root window, or the daemon's window below\n"
           "  -window          draw in an ordinary resizable window, to try it out\n"
           "  -window-id ID    draw into the window ID (decimal or 0x hexadecimal)\n"
           "When XSCREENSAVER_WINDOW names a window, -root and -window-id draw into it.\n"
           "\n"
           "Offscreen rendering, with no display (writes DIR/frame-0001.png, ...):\n"
           "  --offscreen      render frames to PNG files instead of a window\n"
           "  --frames N       how many frames (1)\n"
           "  --size WxH       frame size in pixels (640x480)\n"
           "  --out DIR        the folder for the frames (frames)\n"
           "  --no-png         render without writing files\n"
           "  --seed S         fix the random sequence\n"
           "  --start SECONDS  simulated clock: the first frame shows this moment\n"
           "  --step MS        simulated clock: milliseconds from frame to frame (40)\n"
           "  --model NAME     one model alone, turning: A, B1, B2, C or D\n"
           "  --sepia          with --model: in sepia mode\n"
           "  --renderer NAME  software (Mesa's software rasteriser through EGL, the\n"
           "                   default) or default (EGL's first choice: a GPU's driver\n"
           "                   when there is one); also $QUILLMOOR_RENDERER\n"
           "\n"
           "  --help           print this help and exit\n"
           "  --version        print the version and exit\n"
           "\n"
           "Settings: $QUILLMOOR_SETTINGS, else $XDG_CONFIG_HOME/quillmoor/settings.ini,\n"
           "else ~/.config/quillmoor/settings.ini. The manual page quillmoor(6) has more.";
}

std::string VersionText()
{
    return std::string("quillmoor ") + QUILLMOOR_VERSION;
}
