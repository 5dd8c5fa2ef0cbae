// When the saver takes the format chosen again with a depth buffer.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win32/SaverPixelFormat.h"

namespace {

constexpr DWORD kWindowGl = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
constexpr DWORD kDriver = kWindowGl | PFD_DOUBLEBUFFER;
constexpr DWORD kGenericAccelerated = kDriver | PFD_GENERIC_FORMAT | PFD_GENERIC_ACCELERATED;
constexpr DWORD kGenericSoftware = kDriver | PFD_GENERIC_FORMAT;

PIXELFORMATDESCRIPTOR Format(DWORD flags, BYTE depthBits, BYTE pixelType = PFD_TYPE_RGBA)
{
    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = flags;
    format.iPixelType = pixelType;
    format.cColorBits = 32;
    format.cDepthBits = depthBits;
    return format;
}

TEST(SaverPixelFormat, TheDeeperFormatMustKeepWhatTheFirstHad)
{
    struct Case {
        const char* what;
        DWORD firstFlags;
        PIXELFORMATDESCRIPTOR deeper;
        bool accepted;
    };
    const Case cases[] = {
        {"same kind, with depth", kDriver, Format(kDriver, 24), true},
        {"16 depth bits are enough", kGenericSoftware, Format(kGenericSoftware, 16), true},
        {"still no depth buffer", kDriver, Format(kDriver, 0), false},
        {"single-buffered", kDriver, Format(kWindowGl, 24), false},
        {"colour-index", kDriver, Format(kDriver, 24, PFD_TYPE_COLORINDEX), false},
        {"not for a window", kDriver, Format(PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER, 24), false},
        {"not for OpenGL", kDriver, Format(PFD_DRAW_TO_WINDOW | PFD_DOUBLEBUFFER, 24), false},
        {"driver to generic accelerated", kDriver, Format(kGenericAccelerated, 24), false},
        {"driver to software", kDriver, Format(kGenericSoftware, 24), false},
        {"generic accelerated to software", kGenericAccelerated, Format(kGenericSoftware, 24), false},
        {"software to driver", kGenericSoftware, Format(kDriver, 24), true},
        {"generic accelerated to driver", kGenericAccelerated, Format(kDriver, 24), true},
        {"software to generic accelerated", kGenericSoftware, Format(kGenericAccelerated, 24), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AcceptsDeeperFormat(Format(c.firstFlags, 0), c.deeper), c.accepted) << c.what;
}

}  // namespace
