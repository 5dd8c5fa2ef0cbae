#pragma once
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
// else $HOME/.config/quillmoor/settings.ini. Empty when none can be formed.
std::string DefaultSettingsPath();

class SettingsFileStore : public SettingsStore {
public:
    explicit SettingsFileStore(std::string path) : path_(std::move(path)) {}
    bool OpenKey(SettingsKey key) override;
    bool CreateKey(SettingsKey key) override;
    bool ReadValue(SettingsKey key, const char* name, StoredValue& value) override;
    const std::string& path() const { return path_; }

private:
    // Reads the file afresh; false when it is missing, unreadable or too large.
    bool Load(SettingsDocument& document) const;
    std::string path_;
};
