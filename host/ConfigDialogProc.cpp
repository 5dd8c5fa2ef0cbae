#include "host/ConfigDialogProc.h"

int ConfigDialogCommand(int control, SaverSettings& settings, SettingsStore& store)
{
    switch (control & 0xFFFF) {
    case kConfigOk:
        settings.sceneParameter = 0;
        SaveOwnSettings(store);
        return kConfigOk;
    case kConfigCancel:
        return kConfigCancel;
    default:
        return 0;
    }
}
