#pragma once
#include <windows.h>

#include "host/SettingsStore.h"

// The saver's settings in the registry of the current user: the common
// screen-saver key (read only) and the program's own key.
class RegistrySettingsStore : public SettingsStore {
public:
    // `root` is HKEY_CURRENT_USER except in tests.
    explicit RegistrySettingsStore(HKEY root = HKEY_CURRENT_USER) : root_(root) {}

    bool OpenKey(SettingsKey key) override;
    bool CreateKey(SettingsKey key) override;
    // REG_DWORD is a number, REG_SZ and REG_EXPAND_SZ are text, anything else
    // is raw bytes.
    bool ReadValue(SettingsKey key, const char* name, StoredValue& value) override;

    // Longer values are refused unread: no setting of the saver comes near.
    static constexpr DWORD kMaxValueBytes = 4096;

private:
    HKEY root_;
};
