#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>

#include "host/ConfigDialogProc.h"
#include "host/SaverSettings.h"

namespace {

// An in-memory store holding values of any kind.
class MemoryStore : public SettingsStore {
public:
    bool OpenKey(SettingsKey key) override { return keys.count(key) != 0; }
    bool CreateKey(SettingsKey key) override
    {
        keys[key];
        return true;
    }
    bool ReadValue(SettingsKey key, const char* name, StoredValue& value) override
    {
        const auto k = keys.find(key);
        if (k == keys.end())
            return false;
        const auto v = k->second.find(name);
        if (v == k->second.end())
            return false;
        value = v->second;
        return true;
    }
    static StoredValue Number(uint32_t n)
    {
        StoredValue v;
        v.number = n;
        return v;
    }
    static StoredValue Text(const std::string& t)
    {
        StoredValue v;
        v.kind = StoredValue::Kind::Text;
        v.text = t;
        return v;
    }
    std::map<SettingsKey, std::map<std::string, StoredValue>> keys;
};

TEST(SaverSettings, DefaultsWithoutCommonKeyAndMuteSoundStartsAtZero)
{
    MemoryStore store;
    SaverSettings settings;
    settings.inPasswordDialog = 1;
    LoadStandardSettings(settings, store);
    EXPECT_EQ(settings.passwordDelay, 15);
    EXPECT_EQ(settings.mouseThreshold, 50);
    EXPECT_EQ(settings.muteSound, 0);
    EXPECT_EQ(settings.inPasswordDialog, 0);
    EXPECT_EQ(settings.window, 0u);
    EXPECT_EQ(settings.closeRequested, 0);
    EXPECT_EQ(settings.timerId, 0);
}

TEST(SaverSettings, ValuesOfEveryKindAndFallbacks)
{
    MemoryStore store;
    auto& common = store.keys[SettingsKey::CommonSaver];
    common["Password Delay"] = MemoryStore::Text(" 30 ");
    common["Mouse Threshold"] = MemoryStore::Number(0);
    common["Mute Sound"] = MemoryStore::Number(1);
    SaverSettings settings;
    LoadStandardSettings(settings, store);
    EXPECT_EQ(settings.passwordDelay, 30) << "text holding a number is that number, not its bytes";
    EXPECT_EQ(settings.mouseThreshold, 0);
    EXPECT_EQ(settings.muteSound, 1);

    // Malformed values keep the defaults, each on its own.
    common["Password Delay"] = MemoryStore::Text("fifteen");
    common["Mouse Threshold"] = MemoryStore::Text("99999999999");
    common.erase("Mute Sound");
    settings = SaverSettings();
    LoadStandardSettings(settings, store);
    EXPECT_EQ(settings.passwordDelay, 15);
    EXPECT_EQ(settings.mouseThreshold, 50);
    EXPECT_EQ(settings.muteSound, 0);

    // Raw bytes: too long fails, short ones fill the low bytes.
    StoredValue longBytes;
    longBytes.kind = StoredValue::Kind::Bytes;
    longBytes.bytes = {1, 2, 3, 4, 5};
    StoredValue shortBytes;
    shortBytes.kind = StoredValue::Kind::Bytes;
    shortBytes.bytes = {0x20};
    common["Password Delay"] = longBytes;
    common["Mouse Threshold"] = shortBytes;
    settings = SaverSettings();
    LoadStandardSettings(settings, store);
    EXPECT_EQ(settings.passwordDelay, 15);
    EXPECT_EQ(settings.mouseThreshold, 0x20);
}

TEST(SaverSettings, DecimalTextBoundaries)
{
    int32_t field = 7;
    EXPECT_TRUE(DecodeStoredInt32(MemoryStore::Text("-2147483648"), field));
    EXPECT_EQ(field, INT32_MIN);
    EXPECT_TRUE(DecodeStoredInt32(MemoryStore::Text("2147483647"), field));
    EXPECT_EQ(field, INT32_MAX);
    field = 7;
    for (const char* bad : {"2147483648", "-2147483649", "", " ", "-", "1 2", "0x10", "12abc", "+"}) {
        EXPECT_FALSE(DecodeStoredInt32(MemoryStore::Text(bad), field)) << bad;
        EXPECT_EQ(field, 7) << bad;
    }
    EXPECT_TRUE(DecodeStoredInt32(MemoryStore::Text(std::string("42\0", 3)), field));
    EXPECT_EQ(field, 42);
}

TEST(SaverSettings, ConfigOkCreatesOwnKeyCancelDoesNot)
{
    MemoryStore store;
    SaverSettings settings;
    settings.sceneParameter = 9;
    EXPECT_EQ(ConfigDialogCommand(kConfigCancel, settings, store), kConfigCancel);
    EXPECT_FALSE(store.OpenKey(SettingsKey::Own));
    EXPECT_EQ(ConfigDialogCommand(3, settings, store), 0);
    EXPECT_EQ(ConfigDialogCommand(kConfigOk, settings, store), kConfigOk);
    EXPECT_TRUE(store.OpenKey(SettingsKey::Own));
    EXPECT_TRUE(store.keys[SettingsKey::Own].empty()) << "no values are written";
    EXPECT_EQ(settings.sceneParameter, 0);
    // Only the low 16 bits name the control.
    EXPECT_EQ(ConfigDialogCommand(0x10000 | kConfigOk, settings, store), kConfigOk);
}

}  // namespace
