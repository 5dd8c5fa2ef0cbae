#pragma once
#include <windows.h>

// The saver's pixel format request: double-buffered RGBA with 32 colour bits
// on a window, no depth bits named.
PIXELFORMATDESCRIPTOR SaverPixelFormatRequest();

// ChoosePixelFormat for the request. The Scene depth-tests every frame, so
// where the system's best match has no depth buffer (Mesa's, under Wine,
// takes the 0 literally) it chooses again asking for one, and takes that
// format when AcceptsDeeperFormat says so. 0 when nothing fits; `request`
// is then what SetPixelFormat gets.
int ChooseSaverPixelFormat(HDC dc, PIXELFORMATDESCRIPTOR& request);

// Whether `deeper`, chosen for the request with a depth buffer added, may
// replace `first`: it has a depth buffer, is still a double-buffered RGBA
// format that draws to a window with OpenGL, and is drawn no less in
// hardware than `first` (a driver's own format, then one the system's
// generic implementation accelerates, then the generic software one).
bool AcceptsDeeperFormat(const PIXELFORMATDESCRIPTOR& first, const PIXELFORMATDESCRIPTOR& deeper);

inline constexpr BYTE kFallbackDepthBits = 24;
