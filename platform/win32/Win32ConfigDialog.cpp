#include "platform/win32/Win32ConfigDialog.h"

#include "host/ConfigDialogProc.h"
#include "host/SaverSettings.h"
#include "platform/win32/ResourceIds.h"

namespace {

// The store OK saves into while the dialog is up (its parameter is 0).
SettingsStore* dialogStore = nullptr;

}  // namespace

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND: {
        if (!dialogStore)
            return FALSE;
        SaverSettings fallback;
        SaverSettings& settings = saverSettings ? *saverSettings : fallback;
        const int ended = ConfigDialogCommand(LOWORD(wParam), settings, *dialogStore);
        if (ended != 0)
            EndDialog(dialog, ended);
        return FALSE;
    }
    default:
        return FALSE;
    }
}

INT_PTR RunWin32ConfigDialog(HINSTANCE instance, HWND owner, SettingsStore& store)
{
    dialogStore = &store;
    const INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CONFIGURE), owner, ConfigDialogProc, 0);
    dialogStore = nullptr;
    return result;
}
