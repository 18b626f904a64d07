// Portable operating-system services used by the engine. One interface, with a
// POSIX implementation (os_posix.cpp) and a Win32 one (os_win32.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillon::os {

// A read-only view of a whole file. Other processes may read the file while it is
// mapped but not write it (read sharing only, where the platform can enforce it).
class FileMapping {
public:
    FileMapping() = default;
    FileMapping(const FileMapping&) = delete;
    FileMapping& operator=(const FileMapping&) = delete;
    FileMapping(FileMapping&& other) noexcept { Swap(other); }
    FileMapping& operator=(FileMapping&& other) noexcept {
        if (this != &other) {
            Close();
            Swap(other);
        }
        return *this;
    }
    ~FileMapping() { Close(); }

    // Maps the whole file; false (and nothing held) when it cannot be opened or mapped.
    // An empty file opens successfully with a null view of size 0.
    bool Open(const std::string& path);
    void Close();

    bool IsOpen() const { return open_; }
    const std::uint8_t* Data() const { return data_; }
    std::size_t Size() const { return size_; }

private:
    void Swap(FileMapping& other) noexcept;

    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    bool open_ = false;
#ifdef _WIN32
    // Held open while mapped: its share mode is what keeps writers out.
    void* file_ = nullptr;  // HANDLE
#endif
};

// File names here never contain a NUL byte: a path with one names no file.

// True for an existing regular file (not a folder).
bool FileExists(const std::string& path);

// Size in bytes of a regular file, or nothing when it does not exist or cannot be read.
std::optional<std::uint64_t> FileSize(const std::string& path);

// The file's last-write time in local time, DOS form: date in the high 16 bits
// (years since 1980 << 9 | month << 5 | day), time in the low 16 bits
// (hour << 11 | minute << 5 | seconds / 2). Times outside the DOS range clamp to its
// ends, 1980-01-01 00:00:00 and 2107-12-31 23:59:58. Nothing when the path is not an
// existing regular file.
std::optional<std::uint32_t> FileDosDateTime(const std::string& path);

// The logged-on user's name; empty when it cannot be told.
std::string UserName();

enum class SpecialFolder {
    AppData,      // per-user application data (Windows: CSIDL_APPDATA, 26; Linux: XDG config home)
    MyDocuments,  // the user's documents (Windows: CSIDL_PERSONAL, 5; Linux: XDG documents)
};

// The folder without a trailing separator; empty when the system does not know it.
std::string SpecialFolderPath(SpecialFolder folder);

// Replaces environment references (%NAME% on Windows, $NAME and ${NAME} elsewhere) with
// their values; unknown references are left as they stand.
std::string ExpandEnvironment(std::string_view text);

// Folder of the running program, without a trailing separator.
std::string ProgramFolder();

// File name of the running program without its folder and extension ("Quillon" for
// C:\Quillon\Quillon.exe); empty when it cannot be told.
std::string ProgramName();

// The path separator of the platform's file names.
char PathSeparator();

// Case mapping of the system ANSI code page (Windows: the system's own; elsewhere
// Windows-1252). Bytes without a case map to themselves.
char AnsiUpperCase(char c);
char AnsiLowerCase(char c);
std::string AnsiUpperCase(std::string_view text);
std::string AnsiLowerCase(std::string_view text);

}  // namespace quillon::os
