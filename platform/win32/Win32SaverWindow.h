#pragma once
#include <windows.h>

#include "host/SaverSettings.h"

// The saver window of this process, once created (the text overlay takes its
// device context for the font); null before.
HWND SaverWindowHandle();

// A box titled "Error" with OK. It is brought to the front: the saver
// window, which had the foreground, is gone by the time it shows.
void ShowErrorBox(HWND owner, const char* text);

// Before a box that ends the program while the saver window may be up (a
// texture that cannot be loaded, while the Scene is made): the window goes
// first, as for a set-up failure, or the box would end with it.
void CloseSaverWindowForError();

// The class procedure of the saver window: translates the messages the saver
// decides on and hands them to the portable window procedure; the rest, and
// whatever it passes on, gets the system's default processing.
LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the window class, creates the preview child of `parent` or the
// full-screen pop-up, as the process-wide run mode says, sets up its OpenGL
// context and runs the Scene until the window is destroyed. Returns 0 then,
// and 1 when the set-up fails: after an "Error" box for the window class and
// the pixel format, and with only a debugger message for a preview parent
// that is not a window and for a window that cannot be created.
int RunWin32SaverWindow(HINSTANCE instance, HWND parent, int showCommand, SaverSettings& settings);
