#include "platform/os/os.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "os_test_support.h"
#include "tests/support/temp_folder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace quillon::os {
namespace {

using quillon::test::TempFolder;

// Every byte value, and a length that ends inside a memory page.
std::string SampleBytes(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 % 256);
    return bytes;
}

std::string Contents(const FileMapping& mapping) {
    return std::string(reinterpret_cast<const char*>(mapping.Data()), mapping.Size());
}

#ifdef _WIN32
// 0 when the file opens with the given access (and is closed again), else the error.
DWORD OpenError(const std::string& path, DWORD access) {
    HANDLE file = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    CloseHandle(file);
    return 0;
}

// Whether this process still holds the file the way a mapping does: writers are kept out.
bool IsHeld(const std::string& path) { return OpenError(path, GENERIC_WRITE) != 0; }
#else
// Whether this process still has the file mapped.
bool IsHeld(const std::string& path) {
    const std::string name = std::filesystem::canonical(path).string();
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        if (line.size() >= name.size() && line.compare(line.size() - name.size(), name.size(), name) == 0)
            return true;
    }
    return false;
}
#endif

class FileMappingTest : public ::testing::Test {
protected:
    TempFolder folder_;
    const std::string sample_ = SampleBytes(5000);
    const std::string samplePath_ = folder_.Write("sample.bin", sample_);
    const std::string otherPath_ = folder_.Write("other.bin", "other contents");
};

TEST_F(FileMappingTest, MapsTheWholeFile) {
    FileMapping mapping;
    ASSERT_TRUE(mapping.Open(samplePath_));
    EXPECT_TRUE(mapping.IsOpen());
    EXPECT_EQ(Contents(mapping), sample_);
    EXPECT_TRUE(IsHeld(samplePath_));

    mapping.Close();
    EXPECT_FALSE(mapping.IsOpen());
    EXPECT_EQ(mapping.Data(), nullptr);
    EXPECT_EQ(mapping.Size(), 0u);
    EXPECT_FALSE(IsHeld(samplePath_));
}

TEST_F(FileMappingTest, EmptyFileOpensWithNullView) {
    FileMapping mapping;
    ASSERT_TRUE(mapping.Open(folder_.Write("empty.bin", "")));
    EXPECT_TRUE(mapping.IsOpen());
    EXPECT_EQ(mapping.Data(), nullptr);
    EXPECT_EQ(mapping.Size(), 0u);
}

// A failed Open also lets go of the file that was open before.
TEST_F(FileMappingTest, RefusesWhatIsNotAFile) {
    folder_.MakeFolder("folder");
#ifndef _WIN32
    ASSERT_EQ(mkfifo(folder_.Path("pipe").c_str(), 0600), 0);
#endif
    const struct {
        const char* label;
        std::string path;
    } cases[] = {
        {"missing file", folder_.Path("missing.bin")},
        {"folder", folder_.Path("folder")},
        {"file in a missing folder", folder_.Path("missing/sample.bin")},
        {"empty path", ""},
        {"NUL after the name of a file", samplePath_ + std::string("\0.txt", 5)},
#ifndef _WIN32
        {"named pipe without a writer", folder_.Path("pipe")},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        FileMapping mapping;
        ASSERT_TRUE(mapping.Open(otherPath_));
        EXPECT_FALSE(mapping.Open(c.path));
        EXPECT_FALSE(mapping.IsOpen());
        EXPECT_EQ(mapping.Data(), nullptr);
        EXPECT_EQ(mapping.Size(), 0u);
        EXPECT_FALSE(IsHeld(otherPath_));
    }
}

TEST_F(FileMappingTest, ReopenReleasesThePreviousFile) {
    FileMapping mapping;
    ASSERT_TRUE(mapping.Open(otherPath_));
    ASSERT_TRUE(mapping.Open(samplePath_));
    EXPECT_EQ(Contents(mapping), sample_);
    EXPECT_FALSE(IsHeld(otherPath_));
}

TEST_F(FileMappingTest, MovesCarryTheViewAndReleaseWhatTheyReplace) {
    FileMapping first;
    ASSERT_TRUE(first.Open(samplePath_));
    FileMapping moved(std::move(first));
    EXPECT_FALSE(first.IsOpen());
    EXPECT_EQ(first.Data(), nullptr);
    EXPECT_EQ(first.Size(), 0u);
    EXPECT_EQ(Contents(moved), sample_);

    FileMapping target;
    ASSERT_TRUE(target.Open(otherPath_));
    target = std::move(moved);
    EXPECT_FALSE(moved.IsOpen());
    EXPECT_EQ(Contents(target), sample_);
    EXPECT_FALSE(IsHeld(otherPath_));

    {
        FileMapping last(std::move(target));
    }
    EXPECT_FALSE(IsHeld(samplePath_));
}

TEST_F(FileMappingTest, OthersMayReadTheMappedFileButNotWriteIt) {
    FileMapping mapping;
    ASSERT_TRUE(mapping.Open(samplePath_));

    std::ifstream reader(samplePath_, std::ios::binary);
    ASSERT_TRUE(reader.is_open());
    const std::string read{std::istreambuf_iterator<char>(reader), {}};
    EXPECT_EQ(read, sample_);
#ifdef _WIN32
    EXPECT_EQ(OpenError(samplePath_, GENERIC_WRITE), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(OpenError(samplePath_, GENERIC_READ), 0u);
#endif
}

}  // namespace
}  // namespace quillon::os
