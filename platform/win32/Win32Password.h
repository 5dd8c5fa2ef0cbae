#pragma once
#include <windows.h>

// The system's screen-saver password services, loaded when needed. On the NT
// family, and wherever a component or entry point is missing, verification
// accepts at once and the change does nothing.

// Prompts for the password; true when the saver may close.
bool VerifySaverPassword(HWND saverWindow);
// The system's own password-change dialog.
void RunSaverPasswordChange(HWND owner);
