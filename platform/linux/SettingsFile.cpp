#include "platform/linux/SettingsFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
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

// The file a chain of symbolic links ends at (the path itself when it is no
// link), so that saving replaces the file and keeps the link.
bool FollowLinks(const std::string& path, std::string& target, std::string& why)
{
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat status {};
        if (lstat(target.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return true;
        std::string link(static_cast<size_t>(status.st_size > 0 ? status.st_size : 255) + 1, '\0');
        const ssize_t n = readlink(target.c_str(), &link[0], link.size());
        if (n < 0 || static_cast<size_t>(n) >= link.size()) {
            why = n < 0 ? std::strerror(errno) : "the link changed while being read";
            return false;
        }
        link.resize(static_cast<size_t>(n));
        const std::filesystem::path next(link);
        target = next.is_absolute() ? link : (std::filesystem::path(target).parent_path() / next).string();
    }
    why = std::strerror(ELOOP);
    return false;
}

bool WriteAll(int fd, const std::string& text, std::string& why)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            why = std::strerror(errno);
            return false;
        }
        if (n == 0) {  // errno is not set: say so rather than repeat a stale one
            why = "the file took no more data";
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// A new empty file beside `target`, named .NAME.XXXXXX, created with
// `createMode` as open() applies it (through the process's umask).
int CreateTemporary(const std::string& folder, const std::string& name, mode_t createMode, std::string& temporary)
{
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    uint64_t seed = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())
        ^ (static_cast<uint64_t>(getpid()) << 32);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder + "/." + name + ".";
        for (int i = 0; i < 6; ++i) {
            seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
            temporary += digits[(seed >> 33) % 36];
        }
        const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, createMode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Writes `text` to a new file beside `target`, flushes it to the disk and
// renames it over `target`; on any failure the new file is removed and
// `target` is as it was. The new file takes `keepMode` when given (the mode of
// the file it replaces), else the mode a new file gets from the umask.
bool ReplaceFile(const std::string& target, const std::string& text, const mode_t* keepMode, std::string& why)
{
    const std::filesystem::path path(target);
    const std::string folder = path.has_parent_path() ? path.parent_path().string() : ".";
    std::string temporary;
    const int fd = CreateTemporary(folder, path.filename().string(), keepMode ? 0600 : 0666, temporary);
    if (fd < 0) {
        why = std::strerror(errno);
        return false;
    }
    bool ok = true;
    if (keepMode && fchmod(fd, *keepMode) != 0) {
        ok = false;
        why = std::strerror(errno);
    }
    ok = ok && WriteAll(fd, text, why);
    if (ok && fsync(fd) != 0) {
        ok = false;
        why = std::strerror(errno);
    }
    if (close(fd) != 0 && ok) {
        ok = false;
        why = std::strerror(errno);
    }
    if (ok && rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        why = std::strerror(errno);
    }
    if (!ok) {
        unlink(temporary.c_str());
        return false;
    }
    // The rename itself reaches the disk with the folder.
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        fsync(folderFd);
        close(folderFd);
    }
    return true;
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
    // Some editors begin a UTF-8 file with a byte-order mark.
    size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
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

SettingsLocation DefaultSettingsLocation()
{
    SettingsLocation location;
    const char* overridePath = std::getenv("QUILLMOOR_SETTINGS");
    if (overridePath && *overridePath) {
        location.path = overridePath;
        return location;
    }
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') {
        location.path = std::string(config) + "/quillmoor/settings.ini";
        std::filesystem::path folder = std::filesystem::path(config).lexically_normal();
        if (!folder.has_filename())  // a trailing slash
            folder = folder.parent_path();
        location.mustExist = folder.parent_path().string();
        return location;
    }
    // A relative HOME would put the file under whatever the current folder is.
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') {
        location.path = std::string(home) + "/.config/quillmoor/settings.ini";
        location.mustExist = home;
    }
    return location;
}

SettingsFileStore::Loaded SettingsFileStore::ReadText(const std::string& path, std::string& text, std::string& why,
                                                     mode_t* mode)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        why = std::strerror(errno);
        return errno == ENOENT || errno == ENOTDIR ? Loaded::Missing : Loaded::Unusable;
    }
    struct stat status {};
    Loaded result = Loaded::Unusable;
    if (fstat(fd, &status) != 0) {
        why = std::strerror(errno);
    } else if (!S_ISREG(status.st_mode)) {
        why = S_ISDIR(status.st_mode) ? "it is a folder" : "it is not a regular file";
    } else if (status.st_size > static_cast<off_t>(kMaxSettingsFileBytes)) {
        why = "it is larger than 64 KiB";
    } else {
        if (mode)
            *mode = status.st_mode & 07777;
        text.assign(kMaxSettingsFileBytes + 1, '\0');
        size_t got = 0;
        for (;;) {
            const ssize_t n = read(fd, &text[got], text.size() - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                if (n < 0)
                    why = std::strerror(errno);
                result = n < 0 ? Loaded::Unusable : Loaded::Read;
                break;
            }
            got += static_cast<size_t>(n);
            if (got == text.size()) {  // grew while being read
                why = "it is larger than 64 KiB";
                break;
            }
        }
        text.resize(got);
    }
    close(fd);
    return result;
}

bool SettingsFileStore::Load(SettingsDocument& document)
{
    if (path_.empty())
        return false;
    std::string text, why;
    const Loaded loaded = ReadText(path_, text, why);
    if (loaded == Loaded::Unusable && !noted_) {
        noted_ = true;
        std::fprintf(stderr, "quillmoor: ignoring the settings file %s (%s): using the defaults\n", path_.c_str(),
                     why.c_str());
    }
    if (loaded != Loaded::Read)
        return false;
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

bool SettingsFileStore::FailWrite(const std::string& why)
{
    writeError_ = "cannot save the settings to " + (path_.empty() ? std::string("a file") : path_) + ":\n" + why;
    return false;
}

bool SettingsFileStore::CreateKey(SettingsKey key)
{
    writeError_.clear();
    if (path_.empty())
        return FailWrite("there is no home folder (HOME is unset or not an absolute path)");
    std::string target, why;
    if (!FollowLinks(path_, target, why))
        return FailWrite(why);

    std::string text;
    // The mode comes from the same open file that was read.
    mode_t mode = 0;
    const Loaded loaded = ReadText(target, text, why, &mode);
    if (loaded == Loaded::Unusable)
        return FailWrite(why);
    if (loaded == Loaded::Read) {
        if (ParseSettingsText(text).HasSection(SectionOf(key)))
            return true;
        // Renaming over a read-only file would ignore that it is read-only.
        if (access(target.c_str(), W_OK) != 0)
            return FailWrite(std::string(std::strerror(errno)) + "; the file is left as it is");
    } else {
        const std::filesystem::path folder = std::filesystem::path(target).parent_path();
        std::error_code code;
        if (!mustExist_.empty() && !std::filesystem::is_directory(mustExist_, code))
            return FailWrite("the folder " + mustExist_
                             + (std::filesystem::exists(mustExist_, code) ? " is not a folder" : " does not exist"));
        if (!folder.empty() && !std::filesystem::is_directory(folder, code)
            && !std::filesystem::create_directories(folder, code))
            return FailWrite("cannot make the folder " + folder.string() + ": " + code.message());
    }
    if (!text.empty() && text.back() != '\n')
        text += '\n';
    text += '[' + std::string(SectionOf(key)) + "]\n";
    if (!ReplaceFile(target, text, loaded == Loaded::Read ? &mode : nullptr, why))
        return FailWrite(why + (loaded == Loaded::Read ? "; the file is left as it is" : ""));
    return true;
}
