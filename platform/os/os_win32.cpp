// The OS services on Windows, through the ANSI functions: every path and text here is in
// the system ANSI code page.
#include "platform/os/os.h"

#include <windows.h>

#include <cstring>
#include <limits>
#include <utility>

namespace quillon::os {
namespace {

// 1980-01-01 00:00:00 and 2107-12-31 23:59:58, the ends of the DOS range.
constexpr std::uint32_t kDosEarliest = (1u << 21) | (1u << 16);
constexpr std::uint32_t kDosLatest =
    (127u << 25) | (12u << 21) | (31u << 16) | (23u << 11) | (59u << 5) | 29u;

// Enough for any folder SHGetSpecialFolderPath gives (MAX_PATH and the terminator).
constexpr std::size_t kFolderBufferSize = 261;

// Upper bound of the buffers grown for an answer whose length is not told beforehand.
constexpr std::size_t kLongestAnswer = 1u << 16;

constexpr int kCsidlAppData = 26;
constexpr int kCsidlPersonal = 5;

bool IsValidPath(const std::string& path) { return path.find('\0') == std::string::npos; }

// The text up to its first NUL: several functions report a length that counts more.
std::string UpToNul(std::string text) {
    text.resize(std::strlen(text.c_str()));
    return text;
}

std::string WithoutTrailingSeparator(std::string path) {
    while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    return path;
}

std::optional<WIN32_FILE_ATTRIBUTE_DATA> RegularFileAttributes(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!IsValidPath(path) || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0)
        return std::nullopt;
    return data;
}

// Opens an existing regular file; a folder does not open without backup semantics, and
// devices, pipes and consoles are refused.
HANDLE OpenDiskFile(const std::string& path, DWORD access, DWORD share) {
    if (!IsValidPath(path)) return INVALID_HANDLE_VALUE;
    HANDLE file = CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE && GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

// A read-only view of the whole of a non-empty file, or null.
const void* MapWholeFile(HANDLE file) {
    HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (!mapping) return nullptr;
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    CloseHandle(mapping);  // the view keeps the mapping object alive
    return view;
}

std::optional<FILETIME> LastWriteTime(const std::string& path) {
    HANDLE file = OpenDiskFile(path, FILE_READ_ATTRIBUTES,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    FILETIME written{};
    const bool ok = GetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
    if (!ok) return std::nullopt;
    return written;
}

// The range is checked here: not every FileTimeToDosDateTime refuses years past 2107
// (Wine's wraps them round).
std::optional<std::uint32_t> DosDateTime(const FILETIME& local) {
    SYSTEMTIME fields{};
    if (!FileTimeToSystemTime(&local, &fields)) return kDosLatest;  // beyond SYSTEMTIME's years
    if (fields.wYear < 1980) return kDosEarliest;
    if (fields.wYear > 2107) return kDosLatest;
    WORD date = 0;
    WORD time = 0;
    if (!FileTimeToDosDateTime(&local, &date, &time)) return std::nullopt;
    return static_cast<std::uint32_t>(date) << 16 | time;
}

using GetSpecialFolderPathFn = BOOL(WINAPI*)(HWND, LPSTR, int, BOOL);

GetSpecialFolderPathFn FindGetSpecialFolderPath(HMODULE shell) {
    FARPROC proc = GetProcAddress(shell, "SHGetSpecialFolderPathA");
    if (!proc) proc = GetProcAddress(shell, "SHGetSpecialFolderPath");
    // Through a plain function pointer type, which GCC accepts as a cast between functions.
    return reinterpret_cast<GetSpecialFolderPathFn>(reinterpret_cast<void (*)()>(proc));
}

int Csidl(SpecialFolder folder) {
    return folder == SpecialFolder::AppData ? kCsidlAppData : kCsidlPersonal;
}

// The running program's full file name; empty when it cannot be told.
std::string ProgramPath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() >= kLongestAnswer) return {};
        path.resize(path.size() * 2);  // the name was cut short
    }
}

}  // namespace

void FileMapping::Swap(FileMapping& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    std::swap(open_, other.open_);
    std::swap(file_, other.file_);
}

bool FileMapping::Open(const std::string& path) {
    Close();
    HANDLE file = OpenDiskFile(path, GENERIC_READ, FILE_SHARE_READ);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    const bool sized = GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
                       static_cast<std::uint64_t>(size.QuadPart) <=
                           std::numeric_limits<std::size_t>::max();
    const void* view = nullptr;
    if (!sized || (size.QuadPart > 0 && !(view = MapWholeFile(file)))) {
        CloseHandle(file);
        return false;
    }
    file_ = file;
    data_ = static_cast<const std::uint8_t*>(view);
    size_ = static_cast<std::size_t>(size.QuadPart);
    open_ = true;
    return true;
}

void FileMapping::Close() {
    if (data_) UnmapViewOfFile(data_);
    if (file_) CloseHandle(file_);
    data_ = nullptr;
    size_ = 0;
    open_ = false;
    file_ = nullptr;
}

bool FileExists(const std::string& path) { return RegularFileAttributes(path).has_value(); }

std::optional<std::uint64_t> FileSize(const std::string& path) {
    const auto data = RegularFileAttributes(path);
    if (!data) return std::nullopt;
    return static_cast<std::uint64_t>(data->nFileSizeHigh) << 32 | data->nFileSizeLow;
}

std::optional<std::uint32_t> FileDosDateTime(const std::string& path) {
    const auto written = LastWriteTime(path);
    FILETIME local{};
    if (!written || !FileTimeToLocalFileTime(&*written, &local)) return std::nullopt;
    return DosDateTime(local);
}

std::string UserName() {
    std::string name(257, '\0');  // UNLEN and the terminator
    DWORD size = static_cast<DWORD>(name.size());
    if (GetUserNameA(name.data(), &size)) return UpToNul(std::move(name));
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size > kLongestAnswer) return {};
    name.assign(size, '\0');
    return GetUserNameA(name.data(), &size) ? UpToNul(std::move(name)) : std::string();
}

std::string SpecialFolderPath(SpecialFolder folder) {
    HMODULE shell = LoadLibraryA("shell32.dll");
    if (!shell) return {};
    std::string path(kFolderBufferSize, '\0');
    const GetSpecialFolderPathFn get = FindGetSpecialFolderPath(shell);
    const bool found = get && get(nullptr, path.data(), Csidl(folder), FALSE);
    FreeLibrary(shell);
    return found ? WithoutTrailingSeparator(UpToNul(std::move(path))) : std::string();
}

std::string ExpandEnvironment(std::string_view text) {
    const std::string source(text);
    std::string out(source.size() + 1, '\0');
    for (;;) {
        const DWORD needed =
            ExpandEnvironmentStringsA(source.c_str(), out.data(), static_cast<DWORD>(out.size()));
        if (needed == 0 || needed > kLongestAnswer) return source;
        if (needed <= out.size()) return UpToNul(std::move(out));
        out.assign(needed, '\0');
    }
}

std::string ProgramFolder() {
    const std::string path = ProgramPath();
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::string ProgramName() {
    const std::string path = ProgramPath();
    const std::size_t separator = path.find_last_of("\\/");
    std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return name;
}

char PathSeparator() { return '\\'; }

}  // namespace quillon::os
