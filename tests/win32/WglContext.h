#pragma once
// A current WGL context on a small hidden window with the saver's pixel
// format, for tests that need real GL under Windows (Mesa under Wine in CI).
#include <windows.h>

#include "platform/win32/SaverPixelFormat.h"

class WglContext {
public:
    WglContext()
    {
        WNDCLASSA windowClass{};
        windowClass.style = CS_OWNDC;
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QuillmoorGlyphTest";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 64, 64, nullptr, nullptr,
                                 windowClass.hInstance, nullptr);
        dc = window ? GetDC(window) : nullptr;
        PIXELFORMATDESCRIPTOR request = SaverPixelFormatRequest();
        format = dc ? ChooseSaverPixelFormat(dc, request) : 0;
        if (format && SetPixelFormat(dc, format, &request))
            context = wglCreateContext(dc);
        if (context)
            wglMakeCurrent(dc, context);
    }
    ~WglContext()
    {
        wglMakeCurrent(nullptr, nullptr);
        if (context)
            wglDeleteContext(context);
        if (window)
            DestroyWindow(window);
    }
    HWND window = nullptr;
    HDC dc = nullptr;
    HGLRC context = nullptr;
    int format = 0;
};
