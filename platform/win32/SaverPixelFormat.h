#pragma once
#include <windows.h>

// The saver's pixel format request: double-buffered RGBA with 32 colour bits
// on a window, no depth bits named.
PIXELFORMATDESCRIPTOR SaverPixelFormatRequest();

// ChoosePixelFormat for the request. The Scene depth-tests every frame, so
// where the system's best match has no depth buffer (Mesa's, under Wine,
// takes the 0 literally) it chooses again asking for one. 0 when nothing
// fits; `request` is then what SetPixelFormat gets.
int ChooseSaverPixelFormat(HDC dc, PIXELFORMATDESCRIPTOR& request);

inline constexpr BYTE kFallbackDepthBits = 24;
