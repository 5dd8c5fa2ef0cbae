#include "platform/win32/RegistrySettingsStore.h"

#include <vector>

namespace {

const char* KeyPath(SettingsKey key)
{
    return key == SettingsKey::CommonSaver ? kCommonSaverKeyPath : kOwnKeyPath;
}

}  // namespace

bool RegistrySettingsStore::OpenKey(SettingsKey key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root_, KeyPath(key), 0, KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

bool RegistrySettingsStore::CreateKey(SettingsKey key)
{
    // The common screen-saver key belongs to the system: never created here.
    if (key != SettingsKey::Own)
        return false;
    HKEY created = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(root_, KeyPath(key), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &created,
                        &disposition)
        != ERROR_SUCCESS)
        return false;
    RegCloseKey(created);
    return true;
}

bool RegistrySettingsStore::ReadValue(SettingsKey key, const char* name, StoredValue& value)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root_, KeyPath(key), 0, KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS)
        return false;
    // First the type and the real size, then the data itself.
    DWORD type = REG_NONE;
    DWORD size = 0;
    LONG result = RegQueryValueExA(opened, name, nullptr, &type, nullptr, &size);
    std::vector<BYTE> data;
    if (result == ERROR_SUCCESS && size <= kMaxValueBytes) {
        data.resize(size + 1);  // room for a terminator the text may lack
        DWORD read = size;
        result = RegQueryValueExA(opened, name, nullptr, &type, data.data(), &read);
        size = read;
    } else if (result == ERROR_SUCCESS) {
        result = ERROR_MORE_DATA;
    }
    RegCloseKey(opened);
    if (result != ERROR_SUCCESS)
        return false;
    data.resize(size);

    value = StoredValue();
    if (type == REG_DWORD && size == 4) {
        value.kind = StoredValue::Kind::Number;
        value.number = static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8
            | static_cast<uint32_t>(data[2]) << 16 | static_cast<uint32_t>(data[3]) << 24;
    } else if (type == REG_SZ || type == REG_EXPAND_SZ) {
        value.kind = StoredValue::Kind::Text;
        size_t length = 0;
        while (length < data.size() && data[length] != 0)
            ++length;
        value.text.assign(reinterpret_cast<const char*>(data.data()), length);
    } else {
        value.kind = StoredValue::Kind::Bytes;
        value.bytes.assign(data.begin(), data.end());
    }
    return true;
}
