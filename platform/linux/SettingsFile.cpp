#include "platform/linux/SettingsFile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

std::string LowerAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string Trim(const std::string& text)
{
    const char* blanks = " \t\r";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

const char* SectionOf(SettingsKey key)
{
    return key == SettingsKey::CommonSaver ? kCommonSaverSection : kOwnSection;
}

}  // namespace

bool SettingsDocument::HasSection(const std::string& name) const
{
    return sections.count(LowerAscii(name)) != 0;
}

const std::string* SettingsDocument::Find(const std::string& section, const std::string& name) const
{
    const auto s = sections.find(LowerAscii(section));
    if (s == sections.end())
        return nullptr;
    const auto v = s->second.find(LowerAscii(name));
    return v == s->second.end() ? nullptr : &v->second;
}

SettingsDocument ParseSettingsText(const std::string& text)
{
    SettingsDocument document;
    std::map<std::string, std::string>* current = nullptr;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = Trim(text.substr(start, end - start));
        start = end + 1;

        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line[0] == '[') {
            const size_t close = line.find(']');
            if (close == std::string::npos || Trim(line.substr(close + 1)).size() != 0) {
                current = nullptr;  // a broken header: its values belong nowhere
                continue;
            }
            current = &document.sections[LowerAscii(Trim(line.substr(1, close - 1)))];
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos || !current)
            continue;
        const std::string name = Trim(line.substr(0, equals));
        if (name.empty())
            continue;
        (*current)[LowerAscii(name)] = Trim(line.substr(equals + 1));
    }
    return document;
}

std::string DefaultSettingsPath()
{
    const char* overridePath = std::getenv("QUILLMOOR_SETTINGS");
    if (overridePath && *overridePath)
        return overridePath;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return std::string(config) + "/quillmoor/settings.ini";
    const char* home = std::getenv("HOME");
    if (home && *home)
        return std::string(home) + "/.config/quillmoor/settings.ini";
    return std::string();
}

bool SettingsFileStore::Load(SettingsDocument& document) const
{
    if (path_.empty())
        return false;
    std::ifstream in(path_, std::ios::binary);
    if (!in)
        return false;
    std::string text(kMaxSettingsFileBytes + 1, '\0');
    in.read(&text[0], static_cast<std::streamsize>(text.size()));
    const std::streamsize got = in.gcount();
    if (got < 0 || static_cast<size_t>(got) > kMaxSettingsFileBytes)
        return false;
    text.resize(static_cast<size_t>(got));
    document = ParseSettingsText(text);
    return true;
}

bool SettingsFileStore::OpenKey(SettingsKey key)
{
    SettingsDocument document;
    return Load(document) && document.HasSection(SectionOf(key));
}

bool SettingsFileStore::ReadValue(SettingsKey key, const char* name, StoredValue& value)
{
    SettingsDocument document;
    if (!name || !Load(document))
        return false;
    const std::string* text = document.Find(SectionOf(key), name);
    if (!text)
        return false;
    value = StoredValue();
    value.kind = StoredValue::Kind::Text;
    value.text = *text;
    return true;
}

bool SettingsFileStore::CreateKey(SettingsKey key)
{
    if (path_.empty())
        return false;
    std::error_code code;
    const std::filesystem::path path(path_);
    if (std::filesystem::exists(path, code)) {
        // Never append to a file that cannot be read back (too large, a
        // directory, unreadable).
        SettingsDocument document;
        if (!Load(document))
            return false;
        if (document.HasSection(SectionOf(key)))
            return true;
    }
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path(), code);

    // Append, leaving whatever the user wrote untouched.
    bool needsNewline = false;
    {
        std::ifstream in(path_, std::ios::binary | std::ios::ate);
        if (in && in.tellg() > 0) {
            in.seekg(-1, std::ios::end);
            char last = '\n';
            in.get(last);
            needsNewline = last != '\n';
        }
    }
    std::ofstream out(path_, std::ios::binary | std::ios::app);
    if (!out)
        return false;
    if (needsNewline)
        out << '\n';
    out << '[' << SectionOf(key) << "]\n";
    out.close();
    return static_cast<bool>(out) && OpenKey(key);
}
