#include "platform/os/os.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "os_test_support.h"
#include "tests/support/temp_folder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <ctime>
#include <utime.h>
#endif

namespace quillon::os {
namespace {

using quillon::test::TempFolder;

struct LocalTime {
    int year, month, day, hour, minute, second;
    bool operator==(const LocalTime&) const = default;
};

void PrintTo(const LocalTime& t, std::ostream* out) {
    *out << t.year << '-' << t.month << '-' << t.day << ' ' << t.hour << ':' << t.minute << ':'
         << t.second;
}

LocalTime DecodeDos(std::uint32_t dos) {
    const auto bits = [dos](int shift, std::uint32_t mask) {
        return static_cast<int>(dos >> shift & mask);
    };
    return {1980 + bits(25, 0x7F), bits(21, 0xF), bits(16, 0x1F),
            bits(11, 0x1F),        bits(5, 0x3F),  bits(0, 0x1F) * 2};
}

// Sets the file's last-write time to the given local time.
bool SetLastWriteTime(const std::string& path, const LocalTime& t) {
#ifdef _WIN32
    SYSTEMTIME fields{};
    fields.wYear = static_cast<WORD>(t.year);
    fields.wMonth = static_cast<WORD>(t.month);
    fields.wDay = static_cast<WORD>(t.day);
    fields.wHour = static_cast<WORD>(t.hour);
    fields.wMinute = static_cast<WORD>(t.minute);
    fields.wSecond = static_cast<WORD>(t.second);
    FILETIME local{};
    FILETIME utc{};
    if (!SystemTimeToFileTime(&fields, &local) || !LocalFileTimeToFileTime(&local, &utc))
        return false;
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool ok = SetFileTime(file, nullptr, nullptr, &utc);
    CloseHandle(file);
    return ok;
#else
    std::tm fields{};
    fields.tm_year = t.year - 1900;
    fields.tm_mon = t.month - 1;
    fields.tm_mday = t.day;
    fields.tm_hour = t.hour;
    fields.tm_min = t.minute;
    fields.tm_sec = t.second;
    fields.tm_isdst = -1;
    const std::time_t when = std::mktime(&fields);
    const utimbuf times{when, when};
    return when != -1 && utime(path.c_str(), &times) == 0;
#endif
}

// What is at a path: existence, size and date go together.
TEST(FileInfoTest, RegularFilesOnly) {
    TempFolder folder;
    const std::string file = folder.Write("words.txt", std::string(1234, 'w'));
    const struct {
        const char* label;
        std::string path;
        std::optional<std::uint64_t> size;
    } cases[] = {
        {"file", file, 1234},
        {"empty file", folder.Write("empty.txt", ""), 0},
        {"missing file", folder.Path("missing.txt"), std::nullopt},
        {"folder", folder.MakeFolder("folder"), std::nullopt},
        {"file in a missing folder", folder.Path("missing/words.txt"), std::nullopt},
        {"empty path", "", std::nullopt},
        {"NUL after the name of a file", file + std::string("\0.bak", 5), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(FileExists(c.path), c.size.has_value());
        EXPECT_EQ(FileSize(c.path), c.size);
        EXPECT_EQ(FileDosDateTime(c.path).has_value(), c.size.has_value());
    }
}

TEST(FileInfoTest, DosDateTimeOfTheLastWrite) {
    TempFolder folder;
    const std::string file = folder.Write("dated.txt", "dated");
    const struct {
        const char* label;
        LocalTime written;
        LocalTime dos;
    } cases[] = {
        {"ordinary", {2023, 7, 14, 9, 26, 52}, {2023, 7, 14, 9, 26, 52}},
        {"leap day, late evening", {2024, 2, 29, 23, 15, 30}, {2024, 2, 29, 23, 15, 30}},
        {"odd seconds round down", {2001, 2, 3, 4, 5, 59}, {2001, 2, 3, 4, 5, 58}},
        {"first DOS time", {1980, 1, 1, 0, 0, 0}, {1980, 1, 1, 0, 0, 0}},
        {"last DOS second", {2107, 12, 31, 23, 59, 59}, {2107, 12, 31, 23, 59, 58}},
        {"just before 1980", {1979, 12, 31, 23, 59, 59}, {1980, 1, 1, 0, 0, 0}},
        {"long before 1980", {1975, 6, 15, 12, 0, 0}, {1980, 1, 1, 0, 0, 0}},
        {"after 2107", {2150, 3, 1, 10, 0, 0}, {2107, 12, 31, 23, 59, 58}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(SetLastWriteTime(file, c.written));
        const auto dos = FileDosDateTime(file);
        ASSERT_TRUE(dos.has_value());
        EXPECT_EQ(DecodeDos(*dos), c.dos);
    }
}

}  // namespace
}  // namespace quillon::os
