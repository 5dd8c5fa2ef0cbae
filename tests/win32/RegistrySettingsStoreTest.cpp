// The registry store on a real registry (Wine's in CI), under a scratch key
// that stands in for HKEY_CURRENT_USER.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "host/SaverSettings.h"
#include "platform/win32/RegistrySettingsStore.h"

namespace {

class RegistrySettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = "Software\\QuillmoorTest-" + std::to_string(GetCurrentProcessId());
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                  nullptr, &root, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override
    {
        RegCloseKey(root);
        RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
    }
    void Put(const char* name, DWORD type, const std::vector<BYTE>& data)
    {
        HKEY common = nullptr;
        ASSERT_EQ(RegCreateKeyExA(root, kCommonSaverKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                  &common, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(common, name, 0, type, data.data(), static_cast<DWORD>(data.size())), ERROR_SUCCESS);
        RegCloseKey(common);
    }
    static std::vector<BYTE> Text(const std::string& text)
    {
        return std::vector<BYTE>(text.c_str(), text.c_str() + text.size() + 1);
    }
    std::string path;
    HKEY root = nullptr;
};

TEST_F(RegistrySettingsStoreTest, ValueTypesDecodeAsNumbersOrKeepTheDefault)
{
    struct Case {
        const char* what;
        DWORD type;
        std::vector<BYTE> data;
        int32_t threshold;  // 50 is the default kept
    };
    const std::vector<Case> cases = {
        {"REG_DWORD", REG_DWORD, {0x2C, 0x01, 0, 0}, 300},
        {"REG_DWORD zero", REG_DWORD, {0, 0, 0, 0}, 0},
        {"REG_SZ decimal, not its bytes (12340)", REG_SZ, Text("40"), 40},
        {"REG_SZ", REG_SZ, Text("7"), 7},
        {"REG_SZ without its terminator", REG_SZ, {'4', '2'}, 42},
        {"REG_EXPAND_SZ", REG_EXPAND_SZ, Text("-3"), -3},
        {"REG_SZ not a number", REG_SZ, Text("fifty"), 50},
        {"REG_SZ too long to read", REG_SZ, Text(std::string(5000, ' ') + "7"), 50},
        {"REG_BINARY of 2 bytes fills the low bytes", REG_BINARY, {0x20, 0x01}, 0x120},
        {"REG_BINARY of 4 bytes", REG_BINARY, {9, 0, 0, 0}, 9},
        {"REG_BINARY of 8 bytes", REG_BINARY, {1, 2, 3, 4, 5, 6, 7, 8}, 50},
        {"REG_QWORD", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}, 50},
    };
    RegistrySettingsStore store(root);
    for (const Case& c : cases) {
        Put("Mouse Threshold", c.type, c.data);
        SaverSettings settings;
        LoadStandardSettings(settings, store);
        EXPECT_EQ(settings.mouseThreshold, c.threshold) << c.what;
        EXPECT_EQ(settings.passwordDelay, 15) << c.what;
    }
}

// (OK creating the own key, and Cancel not, is checked end to end with /c.)
TEST_F(RegistrySettingsStoreTest, WithoutTheCommonKeyDefaultsAndTheKeyIsNeverCreated)
{
    RegistrySettingsStore store(root);
    SaverSettings settings;
    LoadStandardSettings(settings, store);
    EXPECT_EQ(settings.passwordDelay, 15);
    EXPECT_EQ(settings.mouseThreshold, 50);
    EXPECT_FALSE(store.CreateKey(SettingsKey::CommonSaver));
    EXPECT_FALSE(store.OpenKey(SettingsKey::CommonSaver));
}

}  // namespace
