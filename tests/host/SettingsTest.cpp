#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "host/ConfigDialogProc.h"
#include "host/SaverSettings.h"
#include "platform/linux/SettingsFile.h"

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

TEST(SettingsFile, ParsesSectionsCommentsAndCaseFreely)
{
    const SettingsDocument doc = ParseSettingsText(
        "; comment\n"
        "# another\n"
        "stray = before any section\n"
        "[ screen savers ]\r\n"
        "  PASSWORD DELAY =  20  \n"
        "Mouse Threshold=7\n"
        "garbage line\n"
        "= no name\n"
        "[broken\n"
        "Mute Sound = 1\n"
        "[Software\\Orvel\\Quillmoor]");
    ASSERT_NE(doc.Find("Screen Savers", "password delay"), nullptr);
    EXPECT_EQ(*doc.Find("Screen Savers", "password delay"), "20");
    EXPECT_EQ(*doc.Find("SCREEN SAVERS", "Mouse Threshold"), "7");
    EXPECT_EQ(doc.Find("Screen Savers", "Mute Sound"), nullptr) << "values under a broken header belong nowhere";
    EXPECT_EQ(doc.Find("Screen Savers", "stray"), nullptr);
    EXPECT_TRUE(doc.HasSection(kOwnSection));
}

class SettingsFileStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/quillmoor-settings-XXXXXX";
        const char* made = mkdtemp(pattern);
        ASSERT_NE(made, nullptr);
        dir = made;
        path = dir + "/sub/dir/settings.ini";
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    void Write(const std::string& text)
    {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    std::string Read()
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }
    std::string dir;
    std::string path;
};

TEST_F(SettingsFileStoreTest, MissingUnreadableOrHugeFilesGiveDefaults)
{
    SettingsFileStore store(path);
    SaverSettings settings;
    LoadStandardSettings(settings, store);
    EXPECT_EQ(settings.passwordDelay, 15);

    std::string huge = "[Screen Savers]\nPassword Delay = 1\n";
    huge.append(kMaxSettingsFileBytes, ';');
    Write(huge);
    LoadStandardSettings(settings, store);
    EXPECT_EQ(settings.passwordDelay, 15);
    EXPECT_FALSE(store.CreateKey(SettingsKey::Own));
    EXPECT_EQ(Read(), huge) << "a file too large to read is never appended to";

    std::filesystem::remove(path);
    std::filesystem::create_directories(path);  // a directory where the file should be
    LoadStandardSettings(settings, store);
    EXPECT_EQ(settings.passwordDelay, 15);
    EXPECT_FALSE(store.CreateKey(SettingsKey::Own));

    SettingsFileStore nowhere("");
    LoadStandardSettings(settings, nowhere);
    EXPECT_EQ(settings.mouseThreshold, 50);
    EXPECT_FALSE(nowhere.CreateKey(SettingsKey::Own));
}

TEST_F(SettingsFileStoreTest, ReadsValuesAndOkAppendsOwnKeyKeepingUserText)
{
    const std::string original = "[Screen Savers]\nPassword Delay = 3\nMouse Threshold = 0\nMute Sound = 1";
    Write(original);
    SettingsFileStore store(path);
    SaverSettings settings;
    LoadStandardSettings(settings, store);
    EXPECT_EQ(settings.passwordDelay, 3);
    EXPECT_EQ(settings.mouseThreshold, 0);
    EXPECT_EQ(settings.muteSound, 1);

    EXPECT_FALSE(store.OpenKey(SettingsKey::Own));
    EXPECT_EQ(ConfigDialogCommand(kConfigOk, settings, store), kConfigOk);
    EXPECT_TRUE(store.OpenKey(SettingsKey::Own));
    EXPECT_EQ(Read(), original + "\n[Software\\Orvel\\Quillmoor]\n");
    // A second OK leaves the file as it is.
    ConfigDialogCommand(kConfigOk, settings, store);
    EXPECT_EQ(Read(), original + "\n[Software\\Orvel\\Quillmoor]\n");
}

TEST_F(SettingsFileStoreTest, OkCreatesFileAndDirectories)
{
    SettingsFileStore store(path);
    EXPECT_TRUE(store.CreateKey(SettingsKey::Own));
    EXPECT_EQ(Read(), "[Software\\Orvel\\Quillmoor]\n");
    EXPECT_FALSE(store.OpenKey(SettingsKey::CommonSaver));
}

TEST(SettingsFile, PathFollowsOverrideThenXdgThenHome)
{
    auto keep = [](const char* name) {
        const char* v = std::getenv(name);
        return std::pair<bool, std::string>(v != nullptr, v ? v : "");
    };
    const auto settings = keep("QUILLMOOR_SETTINGS"), xdg = keep("XDG_CONFIG_HOME"), home = keep("HOME");

    setenv("QUILLMOOR_SETTINGS", "/x/y.ini", 1);
    EXPECT_EQ(DefaultSettingsPath(), "/x/y.ini");
    unsetenv("QUILLMOOR_SETTINGS");
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    setenv("HOME", "/home/u", 1);
    EXPECT_EQ(DefaultSettingsPath(), "/cfg/quillmoor/settings.ini");
    setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
    EXPECT_EQ(DefaultSettingsPath(), "/home/u/.config/quillmoor/settings.ini");
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("HOME");
    EXPECT_EQ(DefaultSettingsPath(), "");

    auto restore = [](const char* name, const std::pair<bool, std::string>& v) {
        if (v.first)
            setenv(name, v.second.c_str(), 1);
        else
            unsetenv(name);
    };
    restore("QUILLMOOR_SETTINGS", settings);
    restore("XDG_CONFIG_HOME", xdg);
    restore("HOME", home);
}

}  // namespace
