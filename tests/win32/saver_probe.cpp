// Another program on the saver's desktop, for the Wine checks: it reads what
// only the system knows and does what only another program can do.
//   saver_probe running        prints the screen-saver-running flag, 0 or 1
//   saver_probe clear-running  clears that flag (left set by a killed saver)
//   saver_probe cursor         "hidden" or "shown": the foreground's cursor
//   saver_probe close          sends WM_CLOSE to the full-screen saver window;
//                              prints "closed" or "ignored"
//   saver_probe activate       shows a window of its own and takes the
//                              activation; prints "saver closed" or "saver stayed"
//   saver_probe box TITLE      prints each text of the box's static controls
//                              on a line ("\n" written as the two characters)
// Exit code 0 when the question could be asked, 1 otherwise (with a line
// saying why), 2 for a wrong command line.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr UINT kSendLimitMs = 10000;
constexpr DWORD kActivateLimitMs = 20000;

int Report(const char* what, int code = 0)
{
    std::printf("%s\n", what);
    std::fflush(stdout);
    return code;
}

HWND SaverWindow()
{
    return FindWindowA("OpenGL", "SaverWindow");
}

int Running()
{
    BOOL running = FALSE;
    if (!SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0))
        return Report("SPI_GETSCREENSAVERRUNNING failed", 1);
    return Report(running ? "1" : "0");
}

int ClearRunning()
{
    UINT previous = 0;
    return SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, &previous, 0) ? Report("cleared")
                                                                                : Report("cannot clear", 1);
}

int Cursor()
{
    CURSORINFO info{};
    info.cbSize = sizeof info;
    if (!GetCursorInfo(&info))
        return Report("GetCursorInfo failed", 1);
    return Report(info.hCursor && (info.flags & CURSOR_SHOWING) ? "shown" : "hidden");
}

// SendMessage returns once the saver's procedure has handled the message, so
// whether the window is still there is known at once.
int Close()
{
    const HWND saver = SaverWindow();
    if (!saver)
        return Report("no saver window", 1);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(saver, WM_CLOSE, 0, 0, SMTO_NORMAL, kSendLimitMs, &result);
    return Report(IsWindow(saver) ? "ignored" : "closed");
}

int Activate()
{
    const HWND saver = SaverWindow();
    if (!saver)
        return Report("no saver window", 1);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "QuillmoorProbe";
    RegisterClassA(&windowClass);
    const HWND own = CreateWindowExA(0, windowClass.lpszClassName, "Probe", WS_POPUP | WS_VISIBLE, 10, 10, 100, 100,
                                     nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!own)
        return Report("cannot create a window", 1);
    SetForegroundWindow(own);
    const DWORD start = GetTickCount();
    while (IsWindow(saver) && GetTickCount() - start < kActivateLimitMs) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    const bool closed = !IsWindow(saver);
    DestroyWindow(own);
    return Report(closed ? "saver closed" : "saver stayed");
}

BOOL CALLBACK PrintStaticText(HWND control, LPARAM)
{
    char className[32] = "";
    GetClassNameA(control, className, sizeof className);
    if (lstrcmpiA(className, "Static") != 0)
        return TRUE;
    char text[1024] = "";
    DWORD_PTR length = 0;
    SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, kSendLimitMs,
                        &length);
    if (text[0] == '\0')
        return TRUE;  // the icon
    std::string line;
    for (const char* c = text; *c; ++c)
        line += *c == '\n' ? std::string("\\n") : *c == '\r' ? std::string("\\r") : std::string(1, *c);
    std::printf("%s\n", line.c_str());
    return TRUE;
}

int Box(const char* title)
{
    const HWND box = FindWindowA("#32770", title);
    if (!box)
        return Report("no box with that title", 1);
    EnumChildWindows(box, PrintStaticText, 0);
    std::fflush(stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc >= 2 ? argv[1] : "";
    if (argc == 2 && command == "running")
        return Running();
    if (argc == 2 && command == "clear-running")
        return ClearRunning();
    if (argc == 2 && command == "cursor")
        return Cursor();
    if (argc == 2 && command == "close")
        return Close();
    if (argc == 2 && command == "activate")
        return Activate();
    if (argc == 3 && command == "box")
        return Box(argv[2]);
    std::printf("usage: saver_probe running|clear-running|cursor|close|activate|box TITLE\n");
    return 2;
}
