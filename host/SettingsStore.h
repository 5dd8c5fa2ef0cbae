#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The two places the saver's settings live: the system's common screen-saver
// settings (read only) and the program's own key, which holds no values.
enum class SettingsKey {
    CommonSaver,  // "Password Delay", "Mouse Threshold", "Mute Sound"
    Own,          // Software\Orvel\Quillmoor
};

// Where the two keys live in the system's settings of the current user.
inline constexpr const char* kCommonSaverKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers";
inline constexpr const char* kOwnKeyPath = "Software\\Orvel\\Quillmoor";

// One stored value as the store holds it.
struct StoredValue {
    enum class Kind { Number, Text, Bytes };
    Kind kind = Kind::Number;
    uint32_t number = 0;        // Kind::Number
    std::string text;           // Kind::Text
    std::vector<uint8_t> bytes;  // Kind::Bytes
};

// A settings store: the registry on Windows, a small text file on Linux.
// Every failure is a plain false; callers fall back to defaults.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Whether the key exists (opened and closed again).
    virtual bool OpenKey(SettingsKey key) = 0;
    // Creates the key when missing; true when it exists afterwards.
    virtual bool CreateKey(SettingsKey key) = 0;
    virtual bool ReadValue(SettingsKey key, const char* name, StoredValue& value) = 0;
    // Why the last CreateKey failed, in words for the user; empty when it did
    // not fail or the store cannot say.
    virtual std::string WriteError() const { return std::string(); }
};

// The 32-bit value a stored value gives, or false when it gives none (the
// field then keeps its value). A number is taken as it is; text holding a
// decimal number in the 32-bit range is that number; raw bytes of at most 4
// bytes fill the field's low bytes as the system's 4-byte read would.
bool DecodeStoredInt32(const StoredValue& value, int32_t& field);
