#include "platform/win32/SaverPixelFormat.h"

PIXELFORMATDESCRIPTOR SaverPixelFormatRequest()
{
    PIXELFORMATDESCRIPTOR request{};
    request.nSize = sizeof request;  // 40
    request.nVersion = 1;
    request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.iPixelType = PFD_TYPE_RGBA;
    request.cColorBits = 32;
    return request;
}

int ChooseSaverPixelFormat(HDC dc, PIXELFORMATDESCRIPTOR& request)
{
    const int format = ChoosePixelFormat(dc, &request);
    if (format == 0)
        return 0;
    PIXELFORMATDESCRIPTOR chosen{};
    if (!DescribePixelFormat(dc, format, sizeof chosen, &chosen) || chosen.cDepthBits != 0)
        return format;
    PIXELFORMATDESCRIPTOR withDepth = request;
    withDepth.cDepthBits = kFallbackDepthBits;
    const int deeper = ChoosePixelFormat(dc, &withDepth);
    PIXELFORMATDESCRIPTOR second{};
    if (deeper == 0 || !DescribePixelFormat(dc, deeper, sizeof second, &second) || second.cDepthBits == 0)
        return format;
    request = withDepth;
    return deeper;
}
