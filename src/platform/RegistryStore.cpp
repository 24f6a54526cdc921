#include "RegistryStore.h"

#include "platform/Folders.h"
#include "platform/RegistryError.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace tlx4r::platform {

namespace fs = std::filesystem;

namespace {

const char kHeader[] =
    "; Settings of the Kelvora programs (UTF-8). Keys are [Path\\To\\Key] sections, values\n"
    "; \"Name\"=\"text\" or \"Name\"=dword:<8 hex digits>; @ is a key's default value.\n"
    "; The programs rewrite this file as a whole: edit it only while none of them runs.\n";

std::string Escape(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\x%02x", static_cast<unsigned>(c));
                    out += buf;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

[[noreturn]] void Bad(std::size_t line, const std::string& why) {
    throw RegistryError(RegistryError::kInvalidData, "line " + std::to_string(line) + ": " + why);
}

// Reads a quoted text starting at pos (on the opening quote); pos ends after the closing quote.
std::string ReadQuoted(std::string_view s, std::size_t& pos, std::size_t line) {
    std::string out;
    ++pos;
    while (pos < s.size()) {
        char c = s[pos++];
        if (c == '"') return out;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (pos >= s.size()) break;
        char e = s[pos++];
        switch (e) {
            case '\\':
                out += '\\';
                break;
            case '"':
                out += '"';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'x': {
                int hi = pos < s.size() ? HexDigit(s[pos]) : -1;
                int lo = pos + 1 < s.size() ? HexDigit(s[pos + 1]) : -1;
                if (hi < 0 || lo < 0) Bad(line, "\\x needs two hex digits");
                out += static_cast<char>(hi * 16 + lo);
                pos += 2;
                break;
            }
            default:
                Bad(line, std::string("unknown escape \\") + e);
        }
    }
    Bad(line, "a text without its closing quote");
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

void SkipBlanks(std::string_view s, std::size_t& pos) {
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t')) ++pos;
}

std::string HomeFolder() {
    if (auto home = EnvironmentValue("HOME"); home && !home->empty()) return *home;
    if (const passwd* pw = getpwuid(getuid()); pw != nullptr && pw->pw_dir != nullptr)
        return pw->pw_dir;
    return "/tmp";
}

// Holds an exclusive lock on "<file>.lock" so that two programs do not interleave their
// read-change-write cycles.
class FileLock {
public:
    explicit FileLock(const fs::path& file) {
        fs::path lock = file;
        lock += ".lock";
        fd_ = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ < 0) {
            throw RegistryError(
                RegistryError::kWriteFault,
                "Cannot lock the settings file " + lock.string() + ": " + std::strerror(errno));
        }
        while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~FileLock() {
        if (fd_ >= 0) ::close(fd_);  // closing releases the lock
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_ = -1;
};

SettingsStore* g_user = nullptr;
SettingsStore* g_machine = nullptr;

}  // namespace

RegistryStore::RegistryStore(fs::path file, Access access, WarningSink warn)
    : file_(std::move(file)), access_(access), warn_(std::move(warn)) {}

fs::path RegistryStore::UserFile() {
    auto config = EnvironmentValue("XDG_CONFIG_HOME").value_or("");
    // Relative paths in the XDG variables are invalid and must be ignored.
    fs::path base = !config.empty() && config.front() == '/' ? fs::path(config)
                                                             : fs::path(HomeFolder()) / ".config";
    return base / "tlx4r" / "registry.ini";
}

fs::path RegistryStore::MachineFile() {
    auto dirs = EnvironmentValue("XDG_CONFIG_DIRS").value_or("");
    std::string first = dirs.substr(0, dirs.find(':'));
    fs::path base = !first.empty() && first.front() == '/' ? fs::path(first) : fs::path("/etc/xdg");
    return base / "tlx4r" / "registry.ini";
}

void RegistryStore::Warn(const std::string& message) const {
    if (warn_) {
        warn_(message);
    } else {
        std::cerr << "warning: " << message << '\n';
    }
}

RegistryStore::Stamp RegistryStore::CurrentStamp() const {
    struct stat st {};
    if (::stat(file_.c_str(), &st) != 0) return Stamp{};
    return Stamp{true,
                 static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec,
                 static_cast<long long>(st.st_size), static_cast<unsigned long long>(st.st_ino)};
}

void RegistryStore::Refresh() const {
    if (!ever_loaded_ || CurrentStamp() != loaded_) Load();
}

void RegistryStore::Load() const {
    ever_loaded_ = true;
    loaded_ = CurrentStamp();
    tree_ = MemoryStore();
    if (!loaded_.exists) return;
    std::ifstream in(file_, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
        Warn("Cannot read the settings file " + file_.string() + "; using default settings");
        return;
    }
    try {
        tree_ = Parse(text);
    } catch (const RegistryError& e) {
        std::string message = "The settings file " + file_.string() + " is damaged (" + e.what() +
                              "); starting with empty settings";
        if (CanWrite()) {
            char stamp[32];
            std::time_t now = std::time(nullptr);
            std::tm tm{};
            localtime_r(&now, &tm);
            std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &tm);
            fs::path backup = file_;
            backup += std::string(".corrupt-") + stamp;
            std::error_code ec;
            fs::rename(file_, backup, ec);
            message += ec ? "; it could not be set aside: " + ec.message()
                          : "; the damaged file is kept as " + backup.string();
        }
        Warn(message);
        loaded_ = CurrentStamp();
    }
}

template <class Change>
auto RegistryStore::Modify(Change&& change) {
    if (!CanWrite()) {
        throw RegistryError(RegistryError::kAccessDenied,
                            "Access denied: the settings in " + file_.string() +
                                " are machine-wide and can only be changed by the administrator");
    }
    std::error_code ec;
    fs::create_directories(file_.parent_path(), ec);
    if (ec) {
        throw RegistryError(RegistryError::kWriteFault, "Cannot create the settings folder " +
                                                            file_.parent_path().string() + ": " +
                                                            ec.message());
    }
    FileLock lock(file_);
    Load();  // another program may have written since we last looked
    MemoryStore copy = tree_;
    auto changed = change(copy);
    if (changed) {
        WriteAtomically(Serialize(copy));
        tree_ = std::move(copy);
        loaded_ = CurrentStamp();
    }
    return changed;
}

void RegistryStore::WriteAtomically(const std::string& text) const {
    fs::path temp = file_;
    temp += ".tmp";
    auto fail = [&](const std::string& what) {
        std::string reason = std::strerror(errno);
        ::unlink(temp.c_str());
        throw RegistryError(RegistryError::kWriteFault, "Cannot " + what + " the settings file " +
                                                            file_.string() + ": " + reason);
    };
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) fail("write");
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ::close(fd);
            fail("write");
        }
        done += static_cast<std::size_t>(n);
    }
    // The data must be on disk before the rename makes it the file, or a power cut could leave
    // an empty file behind the new name.
    if (::fsync(fd) != 0) {
        ::close(fd);
        fail("write");
    }
    ::close(fd);
    if (::rename(temp.c_str(), file_.c_str()) != 0) fail("replace");
    int dir = ::open(file_.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

std::string RegistryStore::Serialize(const MemoryStore& tree) {
    std::ostringstream out;
    out << kHeader;
    tree.Walk([&](const std::string& path,
                  const std::vector<std::pair<std::string, RegistryValue>>& values) {
        if (path.empty() && values.empty()) return;
        out << '\n' << '[' << path << "]\n";
        for (const auto& [name, value] : values) {
            if (name.empty()) {
                out << '@';
            } else {
                out << Escape(name);
            }
            out << '=';
            if (const auto* text = std::get_if<std::string>(&value)) {
                out << Escape(*text);
            } else {
                char buf[16];
                std::snprintf(buf, sizeof buf, "dword:%08x",
                              static_cast<unsigned>(std::get<std::int32_t>(value)));
                out << buf;
            }
            out << '\n';
        }
    });
    return out.str();
}

MemoryStore RegistryStore::Parse(const std::string& text) {
    MemoryStore tree;
    std::string_view all = text;
    if (all.substr(0, 3) == "\xEF\xBB\xBF") all.remove_prefix(3);
    std::optional<std::string> key;
    std::size_t line_no = 0;
    while (!all.empty()) {
        ++line_no;
        std::size_t end = all.find('\n');
        std::string_view line = TrimBlanks(all.substr(0, end));
        all.remove_prefix(end == std::string_view::npos ? all.size() : end + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;

        if (line.front() == '[') {
            if (line.back() != ']') Bad(line_no, "a key header without its closing \"]\"");
            std::string path(line.substr(1, line.size() - 2));
            try {
                tree.KeyCreate(path);
            } catch (const RegistryError& e) {
                Bad(line_no, e.what());
            }
            key = path;
            continue;
        }
        if (!key) Bad(line_no, "a value before the first key");

        std::size_t pos = 0;
        std::string name;
        if (line.front() == '@') {
            pos = 1;
        } else if (line.front() == '"') {
            name = ReadQuoted(line, pos, line_no);
        } else {
            Bad(line_no, "neither a key, a value nor a comment");
        }
        SkipBlanks(line, pos);
        if (pos >= line.size() || line[pos] != '=')
            Bad(line_no, "\"=\" missing after the value name");
        ++pos;
        SkipBlanks(line, pos);
        std::string_view rest = line.substr(pos);
        RegistryValue value;
        if (!rest.empty() && rest.front() == '"') {
            std::size_t p = 0;
            value = ReadQuoted(rest, p, line_no);
            if (p != rest.size()) Bad(line_no, "text after the closing quote");
        } else if (rest.substr(0, 6) == "dword:") {
            std::string_view digits = rest.substr(6);
            if (digits.empty() || digits.size() > 8)
                Bad(line_no, "a dword needs 1 to 8 hex digits");
            std::uint32_t n = 0;
            for (char c : digits) {
                int d = HexDigit(c);
                if (d < 0) Bad(line_no, "a dword needs 1 to 8 hex digits");
                n = n * 16 + static_cast<std::uint32_t>(d);
            }
            value = static_cast<std::int32_t>(n);
        } else {
            Bad(line_no, "a value must be a quoted text or dword:<hex>");
        }
        tree.ValueSet(*key, name, value);
    }
    return tree;
}

bool RegistryStore::KeyExists(std::string_view path) const {
    Refresh();
    return tree_.KeyExists(path);
}

void RegistryStore::KeyCreate(std::string_view path) {
    MemoryStore::SplitPath(path);  // a bad path is the caller's error, not a write failure
    Modify([&](MemoryStore& t) {
        if (t.KeyExists(path)) return false;
        t.KeyCreate(path);
        return true;
    });
}

bool RegistryStore::KeyDelete(std::string_view path) {
    if (MemoryStore::SplitPath(path).empty()) {
        throw RegistryError(RegistryError::kInvalidName, "The root key cannot be deleted");
    }
    return Modify([&](MemoryStore& t) { return t.KeyDelete(path); });
}

std::vector<std::string> RegistryStore::SubKeys(std::string_view path) const {
    Refresh();
    return tree_.SubKeys(path);
}

std::vector<std::string> RegistryStore::ValueNames(std::string_view path) const {
    Refresh();
    return tree_.ValueNames(path);
}

std::optional<RegistryValue> RegistryStore::ValueGet(std::string_view path,
                                                     std::string_view name) const {
    Refresh();
    return tree_.ValueGet(path, name);
}

void RegistryStore::ValueSet(std::string_view path, std::string_view name,
                             const RegistryValue& value) {
    Modify([&](MemoryStore& t) {
        if (t.ValueGet(path, name) == value) return false;  // unchanged: spare the disk
        t.ValueSet(path, name, value);
        return true;
    });
}

bool RegistryStore::ValueDelete(std::string_view path, std::string_view name) {
    return Modify([&](MemoryStore& t) { return t.ValueDelete(path, name); });
}

SettingsStore& UserSettings() {
    if (g_user != nullptr) return *g_user;
    static RegistryStore store(RegistryStore::UserFile());
    return store;
}

SettingsStore& MachineSettings() {
    if (g_machine != nullptr) return *g_machine;
    static RegistryStore store(RegistryStore::MachineFile(), ::geteuid() == 0
                                                                 ? RegistryStore::Access::ReadWrite
                                                                 : RegistryStore::Access::ReadOnly);
    return store;
}

void SetSettingsStores(SettingsStore* user, SettingsStore* machine) {
    g_user = user;
    g_machine = machine;
}

}  // namespace tlx4r::platform
