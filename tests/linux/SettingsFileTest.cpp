// The Linux settings file: its parser, its store, and where it lives.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>

#include "host/ConfigDialogProc.h"
#include "host/SaverSettings.h"
#include "platform/linux/SettingsFile.h"
#include "tests/support/RandomText.h"

namespace {

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

TEST(ParserRandomInput, SettingsFilesRoundTripAndSurviveMutation)
{
    std::mt19937 random(4242);
    const std::string nameChars = "abcXYZ 09_\\.";
    const std::string valueChars = "abc 0123456789-+=[];#";
    for (int k = 0; k < 2000; ++k) {
        // A well-formed file of random names and values reads back as written.
        std::map<std::string, std::map<std::string, std::string>> written;
        std::string text;
        const int sections = static_cast<int>(random() % 4);
        for (int s = 0; s < sections; ++s) {
            std::string section = RandomText(random, nameChars, 10);
            section.erase(0, section.find_first_not_of(' '));
            if (section.empty() || section.back() == ' ')
                section += 'S';
            for (char& c : section)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            text += "[" + section + "]\n";
            const int values = static_cast<int>(random() % 4);
            for (int v = 0; v < values; ++v) {
                std::string name = "n" + RandomText(random, "abcdefgh", 6);
                std::string value = RandomText(random, valueChars, 12);
                value.erase(0, value.find_first_not_of(' '));
                while (!value.empty() && value.back() == ' ')
                    value.pop_back();
                text += name + " = " + value + "\n";
                written[section][name] = value;
            }
        }
        const SettingsDocument document = ParseSettingsText(text);
        for (const auto& [section, values] : written)
            for (const auto& [name, value] : values) {
                const std::string* found = document.Find(section, name);
                ASSERT_NE(found, nullptr) << text;
                ASSERT_EQ(*found, value) << text;
            }

        // Mutated copies (bytes flipped, cut, NULs inserted) parse without harm.
        for (int m = 0; m < 5; ++m) {
            std::string mutated = text;
            const int edits = 1 + static_cast<int>(random() % 6);
            for (int e = 0; e < edits && !mutated.empty(); ++e) {
                const size_t at = random() % mutated.size();
                switch (random() % 3) {
                case 0: mutated[at] = static_cast<char>(random() % 256); break;
                case 1: mutated.erase(at, random() % 8); break;
                default: mutated.insert(at, 1, '\0'); break;
                }
            }
            const SettingsDocument parsed = ParseSettingsText(mutated);
            for (const auto& [section, values] : parsed.sections)
                for (const auto& [name, value] : values) {
                    StoredValue stored;
                    stored.kind = StoredValue::Kind::Text;
                    stored.text = value;
                    int32_t field = 0;
                    DecodeStoredInt32(stored, field);
                    ASSERT_FALSE(name.empty());
                }
        }
    }
}

}  // namespace
