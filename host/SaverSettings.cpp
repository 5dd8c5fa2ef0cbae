#include "host/SaverSettings.h"

SaverSettings* saverSettings = nullptr;

namespace {

void ReadInto(SettingsStore& store, const char* name, int32_t& field)
{
    StoredValue value;
    if (store.ReadValue(SettingsKey::CommonSaver, name, value))
        DecodeStoredInt32(value, field);
}

}  // namespace

void LoadStandardSettings(SaverSettings& settings, SettingsStore& store)
{
    settings.passwordDelay = kDefaultPasswordDelay;
    settings.mouseThreshold = kDefaultMouseThreshold;
    settings.inPasswordDialog = 0;
    if (!store.OpenKey(SettingsKey::CommonSaver))
        return;
    ReadInto(store, "Password Delay", settings.passwordDelay);
    ReadInto(store, "Mouse Threshold", settings.mouseThreshold);
    ReadInto(store, "Mute Sound", settings.muteSound);
}

void LoadOwnSettings(SaverSettings& settings, SettingsStore& store)
{
    settings.sceneParameter = 0;
    store.OpenKey(SettingsKey::Own);
}

void SaveOwnSettings(SettingsStore& store)
{
    store.CreateKey(SettingsKey::Own);
}
