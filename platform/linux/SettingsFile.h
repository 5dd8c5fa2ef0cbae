#pragma once
#include <sys/types.h>

#include <map>
#include <string>

#include "host/SettingsStore.h"

// The Linux settings store: a small INI-style text file.
//
//   [Screen Savers]
//   Password Delay = 15
//   Mouse Threshold = 50
//   Mute Sound = 0
//
//   [Software\Orvel\Quillmoor]
//
// Section and value names are compared without regard to ASCII letter case;
// lines starting with ';' or '#' are comments; lines that are neither a
// section, a "name = value" pair, a comment nor blank are ignored.

// Section names of the two keys: the common settings by their last name, the
// program's own key by its whole path.
inline constexpr const char* kCommonSaverSection = "Screen Savers";
inline constexpr const char* kOwnSection = kOwnKeyPath;

// Files larger than this are not read (the store then counts as missing).
inline constexpr size_t kMaxSettingsFileBytes = 64 * 1024;

// The parsed file: lower-cased section name -> lower-cased value name -> text.
struct SettingsDocument {
    std::map<std::string, std::map<std::string, std::string>> sections;
    bool HasSection(const std::string& name) const;
    const std::string* Find(const std::string& section, const std::string& name) const;
};

SettingsDocument ParseSettingsText(const std::string& text);

// Where the file lives: $QUILLMOOR_SETTINGS when set, else
// $XDG_CONFIG_HOME/quillmoor/settings.ini (an absolute XDG_CONFIG_HOME only),
// else $HOME/.config/quillmoor/settings.ini (an absolute HOME only). The path
// is empty when none can be formed. `mustExist` is the folder above which
// nothing is created: the home folder, or the one holding XDG_CONFIG_HOME.
struct SettingsLocation {
    std::string path;
    std::string mustExist;
};
SettingsLocation DefaultSettingsLocation();
inline std::string DefaultSettingsPath() { return DefaultSettingsLocation().path; }

// The file is read only when it is a regular file (opened without blocking,
// so a FIFO or a device in its place cannot hang the program); anything else
// but a missing file gives the defaults with one note on stderr. OK in the
// dialog replaces it as a whole: a new file beside it, flushed to the disk,
// then renamed over it (through a symbolic link to the link's target), so a
// failure leaves the old file as it was and WriteError() says why.
class SettingsFileStore : public SettingsStore {
public:
    explicit SettingsFileStore(std::string path, std::string mustExist = std::string())
        : path_(std::move(path)), mustExist_(std::move(mustExist))
    {
    }
    explicit SettingsFileStore(const SettingsLocation& location) : SettingsFileStore(location.path, location.mustExist)
    {
    }
    bool OpenKey(SettingsKey key) override;
    bool CreateKey(SettingsKey key) override;
    bool ReadValue(SettingsKey key, const char* name, StoredValue& value) override;
    std::string WriteError() const override { return writeError_; }
    const std::string& path() const { return path_; }

private:
    enum class Loaded { Read, Missing, Unusable };
    // Reads `path` afresh into `text`; `why` says what made it unusable.
    // `mode`, when given, gets the permission bits of the file read.
    static Loaded ReadText(const std::string& path, std::string& text, std::string& why, mode_t* mode = nullptr);
    // Reads and parses the file; false when it is missing or unusable (noted once).
    bool Load(SettingsDocument& document);
    bool FailWrite(const std::string& why);
    std::string path_;
    std::string mustExist_;
    std::string writeError_;
    bool noted_ = false;
};
