// The Linux settings file: its parser, its store, and where it lives.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <future>

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
#include "platform/linux/MappedFile.h"
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
    const mode_t mask = umask(027);
    EXPECT_TRUE(store.CreateKey(SettingsKey::Own));
    EXPECT_EQ(umask(mask), 027u) << "the umask was changed";
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0640)) << "a new file follows the umask";
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
    setenv("XDG_CONFIG_HOME", "/cfg/x", 1);
    setenv("HOME", "/home/u", 1);
    EXPECT_EQ(DefaultSettingsPath(), "/cfg/x/quillmoor/settings.ini");
    EXPECT_EQ(DefaultSettingsLocation().mustExist, "/cfg") << "XDG_CONFIG_HOME may be made, not what holds it";
    setenv("XDG_CONFIG_HOME", "/cfg/x/", 1);
    EXPECT_EQ(DefaultSettingsLocation().mustExist, "/cfg");
    setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
    EXPECT_EQ(DefaultSettingsPath(), "/home/u/.config/quillmoor/settings.ini");
    EXPECT_EQ(DefaultSettingsLocation().mustExist, "/home/u") << "the home folder is never made";
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", "relative/home", 1);  // would land under the current folder
    EXPECT_EQ(DefaultSettingsPath(), "");
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

// Runs `read`, which may open `path`; when that blocks, keeps opening
// `path` for writing (which lets a reader blocked on a FIFO go on) until it
// returns, and fails the test.
template <typename Read>
auto WithoutBlocking(const std::string& path, Read read)
{
    auto result = std::async(std::launch::async, read);
    if (result.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << path << ": reading blocked";
        while (result.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
            const int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                close(fd);
        }
    }
    return result.get();
}

// Whatever sits where the settings file should be, reading it never blocks;
// only a regular file is read, a missing one silently gives the defaults and
// anything else gives them with one note. Texture files follow the same
// rule. A byte-order mark before the first section is skipped.
TEST_F(SettingsFileStoreTest, FileKindsAreReadOnlyWhenRegular)
{
    const std::string regular = dir + "/regular.ini";
    std::ofstream(regular) << "[Screen Savers]\nPassword Delay = 3\n";
    const std::string bom = dir + "/bom.ini";
    std::ofstream(bom) << "\xEF\xBB\xBF[Screen Savers]\nPassword Delay = 4\n";
    const std::string huge = dir + "/huge.ini";
    std::ofstream(huge) << "[Screen Savers]\nPassword Delay = 5\n" << std::string(kMaxSettingsFileBytes, ';');
    const std::string fifo = dir + "/fifo.ini";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string linkToFifo = dir + "/link-to-fifo.ini";
    const std::string linkToRegular = dir + "/link-to-regular.ini";
    std::filesystem::create_symlink(fifo, linkToFifo);
    std::filesystem::create_symlink(regular, linkToRegular);
    std::filesystem::create_directory(dir + "/folder.ini");

    const struct {
        std::string path;
        int32_t passwordDelay;
        bool noted;
        bool mapped;
    } cases[] = {
        {regular, 3, false, true},
        {bom, 4, false, true},
        {linkToRegular, 3, false, true},
        {dir + "/missing.ini", 15, false, false},
        {huge, 15, true, true},
        {fifo, 15, true, false},
        {linkToFifo, 15, true, false},
        {dir + "/folder.ini", 15, true, false},
        {"/dev/zero", 15, true, false},
    };
    for (const auto& c : cases) {
        testing::internal::CaptureStderr();
        const auto [passwordDelay, mapped] = WithoutBlocking(c.path, [&] {
            SettingsFileStore store(c.path);
            SaverSettings settings;
            LoadStandardSettings(settings, store);
            const bool mapped = MapWholeFile(c.path.c_str()) != nullptr;
            return std::make_pair(settings.passwordDelay, mapped);
        });
        const std::string note = testing::internal::GetCapturedStderr();
        EXPECT_EQ(passwordDelay, c.passwordDelay) << c.path;
        EXPECT_EQ(mapped, c.mapped) << c.path;
        EXPECT_EQ(note.find(c.path) != std::string::npos, c.noted) << c.path << ": " << note;
        EXPECT_LE(std::count(note.begin(), note.end(), '\n'), 1) << c.path << ": one note per run: " << note;
    }
}

// OK in the dialog either replaces the file as a whole or leaves it byte for
// byte as it was, says why, and leaves no temporary file behind.
TEST_F(SettingsFileStoreTest, OkReplacesTheFileOrLeavesItAlone)
{
    const std::string text = "[Screen Savers]\nMouse Threshold = 7";
    const std::string saved = text + "\n[Software\\Orvel\\Quillmoor]\n";
    enum class Setup { File, LinkToFile, DanglingLink, Folder, Fifo, NoHome, NoPath, ReadOnlyFile, FileSizeLimit };
    const struct {
        const char* name;
        Setup setup;
        const char* error;  // a piece of WriteError(), or null when it saves
    } cases[] = {
        {"file", Setup::File, nullptr},
        {"link to a file", Setup::LinkToFile, nullptr},
        {"dangling link", Setup::DanglingLink, nullptr},
        {"folder in its place", Setup::Folder, "is a folder"},
        {"FIFO in its place", Setup::Fifo, "not a regular file"},
        {"home folder missing", Setup::NoHome, "does not exist"},
        {"no path at all", Setup::NoPath, "no home folder"},
        {"read-only file", Setup::ReadOnlyFile, "Permission denied"},
        {"disk full (file size limit)", Setup::FileSizeLimit, "File too large"},
    };
    for (const auto& c : cases) {
        if (c.setup == Setup::ReadOnlyFile && geteuid() == 0)
            continue;  // root writes read-only files
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        const std::string file = dir + "/settings.ini";
        const std::string real = dir + "/real/settings.ini";
        std::string storePath = file, mustExist, target = file;
        switch (c.setup) {
        case Setup::File:
        case Setup::ReadOnlyFile:
        case Setup::FileSizeLimit:
            std::ofstream(file) << text;
            std::filesystem::permissions(file, c.setup == Setup::ReadOnlyFile ? std::filesystem::perms(0444)
                                                                               : std::filesystem::perms(0640));
            break;
        case Setup::LinkToFile:
        case Setup::DanglingLink:
            std::filesystem::create_directories(dir + "/real");
            if (c.setup == Setup::LinkToFile)
                std::ofstream(real) << text;
            std::filesystem::create_symlink("real/settings.ini", file);
            target = real;
            break;
        case Setup::Folder:
            std::filesystem::create_directories(file);
            break;
        case Setup::Fifo:
            ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
            break;
        case Setup::NoHome:
            storePath = dir + "/home/.config/quillmoor/settings.ini";
            mustExist = dir + "/home";
            break;
        case Setup::NoPath:
            storePath.clear();
            break;
        }
        path = target;
        const std::string before = std::filesystem::is_regular_file(target) ? Read() : std::string();

        SettingsFileStore store(storePath, mustExist);
        rlimit oldLimit{};
        getrlimit(RLIMIT_FSIZE, &oldLimit);
        if (c.setup == Setup::FileSizeLimit) {
            signal(SIGXFSZ, SIG_IGN);
            rlimit small = oldLimit;
            small.rlim_cur = 8;
            setrlimit(RLIMIT_FSIZE, &small);
        }
        const bool ok = WithoutBlocking(file, [&] { return store.CreateKey(SettingsKey::Own); });
        setrlimit(RLIMIT_FSIZE, &oldLimit);

        EXPECT_EQ(ok, c.error == nullptr) << c.name;
        const std::string error = store.WriteError();
        if (c.error) {
            EXPECT_NE(error.find(c.error), std::string::npos) << c.name << ": " << error;
            if (!before.empty()) {
                EXPECT_EQ(Read(), before) << c.name << ": the file changed";
            }
        } else {
            EXPECT_EQ(error, "") << c.name;
            EXPECT_EQ(Read(), c.setup == Setup::DanglingLink ? "[Software\\Orvel\\Quillmoor]\n" : saved) << c.name;
            EXPECT_TRUE(c.setup == Setup::File || std::filesystem::is_symlink(file)) << c.name << ": the link was replaced";
        }
        if (c.setup == Setup::File) {
            EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0640)) << "mode kept";
        }
        if (c.setup == Setup::NoHome) {
            EXPECT_FALSE(std::filesystem::exists(mustExist)) << "the home folder was made";
        }
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir))
            EXPECT_EQ(entry.path().filename().string().rfind(".settings.ini.", 0), std::string::npos)
                << c.name << ": left behind " << entry.path();
    }
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
