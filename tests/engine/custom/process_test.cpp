// Custom dictionaries shared between real processes: concurrent saves keep every word,
// and a process killed in the middle of a save leaves the old file and no lock.
#include "engine/custom_dictionary.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "platform/os/atomic_file.h"
#include "platform/os/os.h"
#include "tests/engine/custom/child_process.h"
#include "tests/engine/custom/custom_test_support.h"
#include "tests/support/temp_folder.h"

namespace quillon {
namespace {

using test::ChildProcess;
using test::RawOvu;
using test::ReadBytes;

const std::string& Helper() {
    static const std::string path = test::SiblingProgram(QUILLON_OVU_HELPER_NAME);
    return path;
}

// Waits for a file that another process makes; false when it never comes.
bool AwaitFile(const std::string& path) {
    for (int i = 0; i < 12000; ++i) {
        if (os::FileExists(path)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

RawOvu Initial() {
    RawOvu raw(251);
    raw.Add('I', "cat");
    raw.Add('E', "dog");
    return raw;
}

TEST(CustomDictionaryProcesses, TwoProcessesAddingToOneFileBothKeepTheirWords) {
    struct SharingCase {
        const char* style;  // one object throughout, or one for each word
        bool fileFirst;
    };
    constexpr int kWordsEach = 60;
    for (const SharingCase& c :
         {SharingCase{"keep", true}, SharingCase{"keep", false}, SharingCase{"fresh", false}}) {
        SCOPED_TRACE(std::string(c.style) + (c.fileFirst ? ", file there first" : ", no file at first"));
        test::TempFolder folder;
        const std::string path =
            c.fileFirst ? folder.Write("shared.ovu", Initial().Bytes()) : folder.Path("shared.ovu");
        ChildProcess first(Helper(), {"add", path, "first", std::to_string(kWordsEach), c.style});
        ChildProcess second(Helper(), {"add", path, "second", std::to_string(kWordsEach), c.style});
        EXPECT_EQ(first.Wait(), 0);
        EXPECT_EQ(second.Wait(), 0);

        TCustomDictionary d;
        d.SetFileName(path);
        EXPECT_EQ(d.AddedCount(), 2 * kWordsEach + (c.fileFirst ? 1 : 0));
        for (int i = 0; i < kWordsEach; ++i) {
            EXPECT_TRUE(d.IsAdded(test::Numbered("first", i))) << i;
            EXPECT_TRUE(d.IsAdded(test::Numbered("second", i))) << i;
        }
        EXPECT_EQ(d.IsExcluded("dog"), c.fileFirst);
    }
}

TEST(CustomDictionaryProcesses, AProcessKilledInASaveLeavesTheOldFile) {
    test::TempFolder folder;
    const std::string path = folder.Write("shared.ovu", Initial().Bytes());
    const std::vector<std::uint8_t> before = ReadBytes(path);
    const std::string marker = folder.Path("stopped");
    ChildProcess helper(Helper(), {"hang", path, "theirs", marker});
    ASSERT_TRUE(AwaitFile(marker)) << "the helper never reached the replacing step";
    std::string temporary;
    std::getline(std::ifstream(marker), temporary);
    EXPECT_TRUE(os::FileExists(temporary)) << "stopped with its new file written beside";
    helper.Kill();
    EXPECT_EQ(ReadBytes(path), before);

    // Its lock went with it, and the file it left beside is in nobody's way.
    {
        TCustomDictionary d;
        d.SetFileName(path);
        ASSERT_EQ(d.AddedCount(), 1);
        ASSERT_TRUE(d.AddWord("mine"));
        d.Save();
        EXPECT_FALSE(d.Modified());
    }
    TCustomDictionary after;
    after.SetFileName(path);
    EXPECT_TRUE(after.IsAdded("cat"));
    EXPECT_TRUE(after.IsExcluded("dog"));
    EXPECT_TRUE(after.IsAdded("mine"));
    EXPECT_FALSE(after.IsAdded("theirs"));
}

// While someone else holds the file's lock the save gives up after a bounded wait,
// writes nothing and keeps its change for a later save.
TEST(CustomDictionaryProcesses, ASaveThatCannotHaveTheLockKeepsItsChanges) {
    test::TempFolder folder;
    const std::string path = folder.Write("shared.ovu", Initial().Bytes());
    const std::vector<std::uint8_t> before = ReadBytes(path);
    TCustomDictionary d;
    d.SetFileName(path);
    ASSERT_TRUE(d.AddWord("mine"));
    {
        os::FileLock other;
        ASSERT_TRUE(other.Acquire(path, std::chrono::milliseconds(0)));
        d.Save();
        EXPECT_TRUE(d.Modified());
        EXPECT_EQ(ReadBytes(path), before);
    }
    d.Save();
    EXPECT_FALSE(d.Modified());
    TCustomDictionary after;
    after.SetFileName(path);
    EXPECT_TRUE(after.IsAdded("mine"));
}

}  // namespace
}  // namespace quillon
