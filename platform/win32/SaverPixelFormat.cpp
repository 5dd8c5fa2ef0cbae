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

namespace {

// 2: the driver's own format; 1: the generic implementation, accelerated;
// 0: the generic implementation in software.
int Acceleration(const PIXELFORMATDESCRIPTOR& format)
{
    if (!(format.dwFlags & PFD_GENERIC_FORMAT))
        return 2;
    return (format.dwFlags & PFD_GENERIC_ACCELERATED) ? 1 : 0;
}

}  // namespace

bool AcceptsDeeperFormat(const PIXELFORMATDESCRIPTOR& first, const PIXELFORMATDESCRIPTOR& deeper)
{
    const DWORD needed = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    return deeper.cDepthBits != 0 && (deeper.dwFlags & needed) == needed && deeper.iPixelType == PFD_TYPE_RGBA
        && Acceleration(deeper) >= Acceleration(first);
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
    if (deeper == 0 || !DescribePixelFormat(dc, deeper, sizeof second, &second) || !AcceptsDeeperFormat(chosen, second))
        return format;
    request = withDepth;
    return deeper;
}
