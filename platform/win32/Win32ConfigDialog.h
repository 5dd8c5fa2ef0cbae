#pragma once
#include <windows.h>

#include "host/SettingsStore.h"

// The procedure of the modal configuration dialog: OK and Cancel through the
// portable command handling.
INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows dialog 104 owned by `owner` until OK or Cancel; OK saves into
// `store`. Returns what DialogBoxParamA returns.
INT_PTR RunWin32ConfigDialog(HINSTANCE instance, HWND owner, SettingsStore& store);
