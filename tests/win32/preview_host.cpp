// Stands in for the display settings' preview: makes a parent window, starts
// the saver into it with /p <handle>, reports on standard output when the
// saver's window is inside, waits (pumping messages) until the command file
// appears, then ends the saver as the file says and checks that the saver
// process ends: "close" sends WM_CLOSE to the saver's window (as any other
// program may) and the parent stays; anything else destroys the parent.
//   preview_host.exe SAVER.scr COMMAND-FILE
// Exit code 0 when everything held, 1 with a FAIL line otherwise.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

constexpr DWORD kStartLimitMs = 30000;
constexpr DWORD kCommandLimitMs = 120000;
constexpr DWORD kEndLimitMs = 20000;

int Fail(const char* what, PROCESS_INFORMATION* saver)
{
    std::printf("FAIL: %s\n", what);
    std::fflush(stdout);
    if (saver && saver->hProcess) {
        TerminateProcess(saver->hProcess, 99);
        WaitForSingleObject(saver->hProcess, 5000);
    }
    return 1;
}

// Dispatches this thread's messages for up to `ms`, or until the process
// ends; true when it ended.
bool PumpWhileRunning(HANDLE process, DWORD ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= ms)
            return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
        const DWORD woke = MsgWaitForMultipleObjects(1, &process, FALSE, ms - spent, QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0)
            return true;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

DWORD ExitCodeOf(HANDLE process)
{
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return code;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::printf("usage: preview_host SAVER.scr COMMAND-FILE\n");
        return 2;
    }
    const std::string saverPath = argv[1];
    const char* commandFile = argv[2];

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = "QuillmoorPreviewParent";
    RegisterClassA(&windowClass);
    const HWND parent = CreateWindowExA(0, windowClass.lpszClassName, "PreviewParent", WS_POPUP | WS_VISIBLE, 100, 100,
                                        320, 240, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!parent)
        return Fail("cannot create the parent window", nullptr);

    // Handles pass between 32-bit and 64-bit programs as their low 32 bits,
    // in decimal: the id the saver is given.
    const uint32_t parentId = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(parent));
    const std::string commandLine = "\"" + saverPath + "\" /p " + std::to_string(parentId);
    std::string mutableLine = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION saver{};
    if (!CreateProcessA(nullptr, &mutableLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &saver))
        return Fail("cannot start the saver", nullptr);
    std::printf("started: %s (window id %lu)\n", commandLine.c_str(), static_cast<unsigned long>(parentId));
    std::fflush(stdout);

    HWND child = nullptr;
    for (DWORD waited = 0; !child && waited < kStartLimitMs; waited += 100) {
        if (PumpWhileRunning(saver.hProcess, 100)) {
            std::printf("saver exit code %lu\n", ExitCodeOf(saver.hProcess));
            return Fail("the saver ended before its window appeared in the parent", &saver);
        }
        child = FindWindowExA(parent, nullptr, "OpenGL", "SaverWindow");
    }
    if (!child)
        return Fail("no saver window inside the parent", &saver);
    RECT parentRect{}, childRect{};
    GetWindowRect(parent, &parentRect);
    GetWindowRect(child, &childRect);
    std::printf("ready: child %ldx%ld at %ld,%ld in a parent of %ldx%ld at %ld,%ld\n",
                childRect.right - childRect.left, childRect.bottom - childRect.top, childRect.left, childRect.top,
                parentRect.right - parentRect.left, parentRect.bottom - parentRect.top, parentRect.left,
                parentRect.top);
    std::fflush(stdout);

    // Meanwhile the test draws attention to the preview with input.
    bool commanded = false;
    for (DWORD waited = 0; !commanded && waited < kCommandLimitMs; waited += 100) {
        if (PumpWhileRunning(saver.hProcess, 100)) {
            std::printf("saver exit code %lu\n", ExitCodeOf(saver.hProcess));
            return Fail("the saver ended while previewing", &saver);
        }
        commanded = GetFileAttributesA(commandFile) != INVALID_FILE_ATTRIBUTES;
    }
    if (!commanded)
        return Fail("no command came", &saver);
    if (!IsWindow(child))
        return Fail("the saver's window went away while previewing", &saver);
    std::string command;
    std::ifstream(commandFile) >> command;
    const bool sendClose = command == "close";
    const char* how = sendClose ? "WM_CLOSE was sent to its window" : "its parent was destroyed";
    std::printf("still previewing; %s\n",
                sendClose ? "sending WM_CLOSE to the saver's window" : "destroying the parent");
    std::fflush(stdout);

    if (sendClose) {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(child, WM_CLOSE, 0, 0, SMTO_NORMAL, kEndLimitMs, &result);
    } else {
        DestroyWindow(parent);
    }
    if (!PumpWhileRunning(saver.hProcess, kEndLimitMs))
        return Fail(sendClose ? "the saver still runs after WM_CLOSE"
                              : "the saver still runs after its parent was destroyed",
                    &saver);
    if (sendClose && !IsWindow(parent))
        return Fail("the parent went with the saver", nullptr);
    const DWORD code = ExitCodeOf(saver.hProcess);
    std::printf("saver ended with exit code %lu after %s\n", code, how);
    std::fflush(stdout);
    CloseHandle(saver.hThread);
    CloseHandle(saver.hProcess);
    return code == 0 ? 0 : 1;
}
