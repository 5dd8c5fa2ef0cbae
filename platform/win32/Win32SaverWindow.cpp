#include "platform/win32/Win32SaverWindow.h"

#include <memory>
#include <new>

#include "host/MainLoop.h"
#include "host/RunMode.h"
#include "host/SaverWindowProc.h"
#include "host/SetupErrors.h"
#include "platform/win32/SaverPixelFormat.h"
#include "platform/win32/Win32DisplayDpi.h"
#include "platform/win32/Win32SaverPlatform.h"
#include "scene/DisplayScale.h"
#include "scene/Scene.h"

namespace {

HWND saverWindow = nullptr;

constexpr const char* kClassName = "OpenGL";
constexpr const char* kWindowTitle = "SaverWindow";

// The native messages the saver decides on, as portable events; false for
// the rest, which go straight to the default processing.
bool Translate(UINT message, WPARAM wParam, SaverMessage& translated)
{
    translated.wParam = static_cast<uint32_t>(wParam);
    switch (message) {
    case WM_CREATE: translated.event = SaverEvent::Create; return true;
    case WM_DESTROY: translated.event = SaverEvent::Destroy; return true;
    case WM_ACTIVATE: translated.event = SaverEvent::Activate; return true;
    case WM_ACTIVATEAPP: translated.event = SaverEvent::ActivateApp; return true;
    case WM_NCACTIVATE: translated.event = SaverEvent::NcActivate; return true;
    case WM_CLOSE: translated.event = SaverEvent::Close; return true;
    case WM_SETCURSOR: translated.event = SaverEvent::SetCursor; return true;
    case WM_KEYDOWN: translated.event = SaverEvent::KeyDown; return true;
    case WM_SYSKEYDOWN: translated.event = SaverEvent::SysKeyDown; return true;
    case WM_LBUTTONDOWN: translated.event = SaverEvent::LeftButtonDown; return true;
    case WM_RBUTTONDOWN: translated.event = SaverEvent::RightButtonDown; return true;
    case WM_MBUTTONDOWN: translated.event = SaverEvent::MiddleButtonDown; return true;
    case WM_SYSCOMMAND: translated.event = SaverEvent::SysCommand; return true;
    case WM_MOUSEMOVE: translated.event = SaverEvent::MouseMove; return true;
    default: return false;
    }
}

// The main loop on the message queue, the Scene and the window's buffers.
class Win32MainLoop : public MainLoopPlatform {
public:
    Win32MainLoop(HDC dc, Scene* scene, const SaverSettings& settings) : dc_(dc), scene_(scene), settings_(settings)
    {
    }

    Pump DispatchNextMessage() override
    {
        MSG message;
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            return Pump::Empty;
        if (message.message == WM_QUIT)
            return Pump::Quit;
        TranslateMessage(&message);
        DispatchMessageA(&message);
        return Pump::Dispatched;
    }
    bool RenderFrame() override { return scene_ && scene_->RenderFrame(settings_.sceneParameter); }
    void SwapBuffers() override { ::SwapBuffers(dc_); }
    void Sleep(unsigned milliseconds) override { ::Sleep(milliseconds); }

private:
    HDC dc_;
    Scene* scene_;
    const SaverSettings& settings_;
};

void ShowError(const char* text)
{
    ShowErrorBox(nullptr, text);
}

// A set-up failure after the window exists: the box would take the
// activation from the saver window, whose procedure would then close it and
// post the quit message, which ends the box's own loop at once. The window
// has nothing to show, so it goes first, with the quit message it posts.
void DestroyBeforeBox(HWND window)
{
    DestroyWindow(window);
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

void TellSystemSaverRuns(bool running)
{
    if (runMode != kRunModeSaver)
        return;
    UINT previous = 0;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running ? TRUE : FALSE, &previous, 0);
}

}  // namespace

void ShowErrorBox(HWND owner, const char* text)
{
    MessageBoxA(owner, text, kErrorTitle, MB_OK | MB_SETFOREGROUND);
}

HWND SaverWindowHandle()
{
    return saverWindow;
}

void CloseSaverWindowForError()
{
    if (!saverWindow || !IsWindow(saverWindow))
        return;
    TellSystemSaverRuns(false);
    DestroyBeforeBox(saverWindow);
    saverWindow = nullptr;
}

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    SaverMessage translated;
    if (saverSettings && Translate(message, wParam, translated)) {
        Win32SaverPlatform platform(window);
        const SaverWindowContext context{*saverSettings, runMode, platform};
        if (SaverWindowProc(context, translated) == MessageResult::Handled)
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int RunWin32SaverWindow(HINSTANCE instance, HWND parent, int showCommand, SaverSettings& settings)
{
    WNDCLASSA windowClass{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = SaverWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassA(&windowClass)) {
        ShowError(kRegisterClassFailed);
        return 1;
    }

    int width = 0;
    int height = 0;
    DWORD style = 0;
    if (runMode == kRunModePreview) {
        // Without a window to live in there is nothing to draw: end the run
        // (the caller is a program; no box waits for a user).
        RECT rect{};
        if (!parent || !IsWindow(parent) || !GetWindowRect(parent, &rect)) {
            OutputDebugStringA("quillmoor: the preview parent is not a window\n");
            return 1;
        }
        width = rect.right - rect.left;
        height = rect.bottom - rect.top;
        style = WS_CHILD | WS_VISIBLE;
    } else {
        width = GetSystemMetrics(SM_CXSCREEN);
        height = GetSystemMetrics(SM_CYSCREEN);
        style = WS_POPUP | WS_VISIBLE;
        parent = nullptr;
    }

    // The procedure records the window, cursor and tick during creation.
    saverWindow = CreateWindowExA(0, kClassName, kWindowTitle, style, 0, 0, width, height, parent, nullptr, instance,
                                  nullptr);
    if (!saverWindow) {
        OutputDebugStringA("quillmoor: cannot create the saver window\n");
        return 1;
    }
    // The frame-rate text and the mouse threshold follow the display's
    // density; a preview follows the window it is shown in.
    SetDisplayDpi(WindowDpi(runMode == kRunModePreview ? parent : saverWindow));
    TellSystemSaverRuns(true);

    const HDC dc = GetDC(saverWindow);
    PIXELFORMATDESCRIPTOR request = SaverPixelFormatRequest();
    const int format = ChooseSaverPixelFormat(dc, request);
    if (format == 0) {
        CloseSaverWindowForError();
        ShowError(kChoosePixelFormatFailed);
        return 1;
    }
    if (!SetPixelFormat(dc, format, &request)) {
        CloseSaverWindowForError();
        ShowError(kSetPixelFormatFailed);
        return 1;
    }
    PIXELFORMATDESCRIPTOR chosen{};
    DescribePixelFormat(dc, format, sizeof chosen, &chosen);
    const HGLRC context = wglCreateContext(dc);
    wglMakeCurrent(dc, context);

    // All of the Scene's GL set-up happens here, with the context current.
    std::unique_ptr<Scene> scene(new (std::nothrow) Scene(width, height, settings.sceneParameter));
    ShowWindow(saverWindow, showCommand);

    Win32MainLoop loop(dc, scene.get(), settings);
    RunMainLoop(loop);

    // The window is gone already: its destruction ended the loop.
    scene.reset();
    wglMakeCurrent(nullptr, nullptr);
    ReleaseDC(saverWindow, dc);
    wglDeleteContext(context);
    TellSystemSaverRuns(false);
    return 0;
}
