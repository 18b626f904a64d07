// The OS services on Linux and other POSIX systems.
#include "platform/os/os.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <limits>
#include <utility>
#include <vector>

namespace quillon::os {
namespace {

// 1980-01-01 00:00:00 and 2107-12-31 23:59:58, the ends of the DOS range.
constexpr std::uint32_t kDosEarliest = (1u << 21) | (1u << 16);
constexpr std::uint32_t kDosLatest =
    (127u << 25) | (12u << 21) | (31u << 16) | (23u << 11) | (59u << 5) | 29u;

bool IsValidPath(const std::string& path) { return path.find('\0') == std::string::npos; }

std::optional<struct stat> StatRegularFile(const std::string& path) {
    struct stat info {};
    if (!IsValidPath(path) || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return info;
}

std::uint32_t DosDateTime(std::time_t time) {
    std::tm local{};
    if (!localtime_r(&time, &local)) return time < 0 ? kDosEarliest : kDosLatest;
    if (local.tm_year < 80) return kDosEarliest;
    if (local.tm_year > 207) return kDosLatest;
    const auto field = [](int value) { return static_cast<std::uint32_t>(value); };
    return field(local.tm_year - 80) << 25 | field(local.tm_mon + 1) << 21 |
           field(local.tm_mday) << 16 | field(local.tm_hour) << 11 | field(local.tm_min) << 5 |
           field(local.tm_sec / 2);
}

// Unset and empty variables alike give "".
std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

struct Account {
    std::string name;
    std::string home;
};

std::optional<Account> CurrentAccount() {
    std::vector<char> buffer(1024);
    for (;;) {
        passwd entry{};
        passwd* found = nullptr;
        const int rc = getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found);
        if (rc == ERANGE && buffer.size() < (1u << 20)) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (rc != 0 || !found) return std::nullopt;
        return Account{found->pw_name ? found->pw_name : "", found->pw_dir ? found->pw_dir : ""};
    }
}

// The root stays "/": without its slash it would read as "unknown".
std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    return folder.back() == '/' ? folder + name : folder + '/' + name;
}

std::string HomeFolder() {
    std::string home = EnvironmentValue("HOME");
    if (home.empty()) {
        if (auto account = CurrentAccount()) home = account->home;
    }
    return WithoutTrailingSlash(home);
}

// Relative values are invalid for XDG folders and are ignored.
std::string ConfigHome() {
    const std::string configured = EnvironmentValue("XDG_CONFIG_HOME");
    if (!configured.empty() && configured.front() == '/') return WithoutTrailingSlash(configured);
    const std::string home = HomeFolder();
    return home.empty() ? "" : JoinPath(home, ".config");
}

// The quoted value of a `KEY="value"` line of user-dirs.dirs, backslash escapes undone.
std::optional<std::string> UserDirsValue(const std::string& line, std::string_view key) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, key.size(), key) != 0) return std::nullopt;
    std::size_t i = start + key.size();
    if (line.compare(i, 2, "=\"") != 0) return std::nullopt;
    std::string value;
    for (i += 2; i < line.size(); ++i) {
        if (line[i] == '"') return value;
        if (line[i] == '\\' && i + 1 < line.size()) ++i;
        value += line[i];
    }
    return std::nullopt;
}

// The file allows only "$HOME/..." and absolute paths.
std::optional<std::string> ResolveUserDir(const std::string& value, const std::string& home) {
    constexpr std::string_view kHome = "$HOME";
    if (value.compare(0, kHome.size(), kHome) == 0 &&
        (value.size() == kHome.size() || value[kHome.size()] == '/')) {
        if (home.empty()) return std::nullopt;
        return WithoutTrailingSlash(home + value.substr(kHome.size()));
    }
    if (!value.empty() && value.front() == '/') return WithoutTrailingSlash(value);
    return std::nullopt;
}

std::string DocumentsFolder() {
    const std::string home = HomeFolder();
    const std::string config = ConfigHome();
    std::optional<std::string> configured;
    if (!config.empty()) {
        std::ifstream dirs(JoinPath(config, "user-dirs.dirs"));
        // Like the shell that sources the file, the last assignment wins.
        for (std::string line; std::getline(dirs, line);) {
            if (auto value = UserDirsValue(line, "XDG_DOCUMENTS_DIR")) configured = value;
        }
    }
    if (configured) {
        if (auto folder = ResolveUserDir(*configured, home)) return *folder;
    }
    return home.empty() ? "" : JoinPath(home, "Documents");
}

bool IsNameStart(char c) { return c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9'); }

struct Reference {
    std::string name;
    std::size_t length;  // of the whole reference, '$' included
};

// A `$NAME` or `${NAME}` reference at text[at] (which is '$').
std::optional<Reference> ParseReference(std::string_view text, std::size_t at) {
    const bool braced = at + 1 < text.size() && text[at + 1] == '{';
    const std::size_t start = at + (braced ? 2 : 1);
    std::size_t end = start;
    while (end < text.size() && IsNameChar(text[end])) ++end;
    if (end == start || !IsNameStart(text[start])) return std::nullopt;
    if (!braced) return Reference{std::string(text.substr(start, end - start)), end - at};
    if (end == text.size() || text[end] != '}') return std::nullopt;
    return Reference{std::string(text.substr(start, end - start)), end + 1 - at};
}

std::string ProgramPath() {
    std::string path(256, '\0');
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
        if (length < 0) return {};
        if (static_cast<std::size_t>(length) < path.size()) {
            path.resize(static_cast<std::size_t>(length));
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

void FileMapping::Swap(FileMapping& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    std::swap(open_, other.open_);
}

bool FileMapping::Open(const std::string& path) {
    Close();
    if (!IsValidPath(path)) return false;
    // O_NONBLOCK so that a FIFO is refused below instead of waiting for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
              static_cast<std::uintmax_t>(info.st_size) <= std::numeric_limits<std::size_t>::max();
    const auto size = ok ? static_cast<std::size_t>(info.st_size) : 0;
    void* view = nullptr;
    if (ok && size > 0) {
        view = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0);
        ok = view != MAP_FAILED;
    }
    ::close(fd);  // the mapping keeps its own reference to the file
    if (!ok) return false;
    data_ = static_cast<const std::uint8_t*>(view);
    size_ = size;
    open_ = true;
    return true;
}

void FileMapping::Close() {
    if (data_) ::munmap(const_cast<std::uint8_t*>(data_), size_);
    data_ = nullptr;
    size_ = 0;
    open_ = false;
}

bool FileExists(const std::string& path) { return StatRegularFile(path).has_value(); }

std::optional<std::uint64_t> FileSize(const std::string& path) {
    const auto info = StatRegularFile(path);
    if (!info) return std::nullopt;
    return static_cast<std::uint64_t>(info->st_size);
}

std::optional<std::uint32_t> FileDosDateTime(const std::string& path) {
    const auto info = StatRegularFile(path);
    if (!info) return std::nullopt;
    return DosDateTime(info->st_mtime);
}

std::string UserName() {
    if (auto account = CurrentAccount(); account && !account->name.empty()) return account->name;
    std::string name = EnvironmentValue("USER");
    return name.empty() ? EnvironmentValue("LOGNAME") : name;
}

std::string SpecialFolderPath(SpecialFolder folder) {
    switch (folder) {
        case SpecialFolder::AppData: return ConfigHome();
        case SpecialFolder::MyDocuments: return DocumentsFolder();
    }
    return {};
}

std::string ExpandEnvironment(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '$') {
            const auto reference = ParseReference(text, i);
            const char* value = reference ? std::getenv(reference->name.c_str()) : nullptr;
            if (value) {
                out += value;
                i += reference->length;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

std::string ProgramFolder() {
    const std::string path = ProgramPath();
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string ProgramName() {
    const std::string path = ProgramPath();
    std::string name = path.substr(path.rfind('/') + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return name;
}

char PathSeparator() { return '/'; }

}  // namespace quillon::os
