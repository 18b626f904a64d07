#include "platform/os/os.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "os_test_support.h"
#include "tests/support/temp_folder.h"

namespace quillon::os {
namespace {

using test::ScopedEnvironment;
using quillon::test::TempFolder;

TEST(ExpandEnvironmentTest, ReplacesKnownReferencesOnly) {
    const ScopedEnvironment known("QUILLON_OS_KNOWN", "data");
    const ScopedEnvironment empty("QUILLON_OS_EMPTY", "");
    const ScopedEnvironment unset("QUILLON_OS_UNSET", std::nullopt);
    const struct {
        const char* text;
        const char* expanded;
    } cases[] = {
        {"", ""},
        {"text without references", "text without references"},
#ifdef _WIN32
        {"%QUILLON_OS_KNOWN%\\words", "data\\words"},
        {"[%QUILLON_OS_KNOWN%%QUILLON_OS_KNOWN%]", "[datadata]"},
        {"%QUILLON_OS_UNSET%\\words", "%QUILLON_OS_UNSET%\\words"},
        {"100% sure", "100% sure"},
        {"$QUILLON_OS_KNOWN", "$QUILLON_OS_KNOWN"},
#else
        {"$QUILLON_OS_KNOWN/words", "data/words"},
        {"${QUILLON_OS_KNOWN}words", "datawords"},
        {"[$QUILLON_OS_KNOWN$QUILLON_OS_KNOWN]", "[datadata]"},
        {"$QUILLON_OS_KNOWNwords", "$QUILLON_OS_KNOWNwords"},
        {"<$QUILLON_OS_EMPTY>", "<>"},
        {"$QUILLON_OS_UNSET and ${QUILLON_OS_UNSET}", "$QUILLON_OS_UNSET and ${QUILLON_OS_UNSET}"},
        {"${QUILLON_OS_KNOWN", "${QUILLON_OS_KNOWN"},
        {"$ ${} $1 $-x 5$", "$ ${} $1 $-x 5$"},
        {"%QUILLON_OS_KNOWN%", "%QUILLON_OS_KNOWN%"},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ExpandEnvironment(c.text), c.expanded);
    }
}

TEST(ExpandEnvironmentTest, LongValueComesWhole) {
    const std::string value(5000, 'v');
    const ScopedEnvironment known("QUILLON_OS_LONG", value);
#ifdef _WIN32
    EXPECT_EQ(ExpandEnvironment("<%QUILLON_OS_LONG%>"), "<" + value + ">");
#else
    EXPECT_EQ(ExpandEnvironment("<$QUILLON_OS_LONG>"), "<" + value + ">");
#endif
}

TEST(UserNameTest, IsKnownAndHoldsNoTerminator) {
    const std::string name = UserName();
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(name.find('\0'), std::string::npos);
}

TEST(ProgramFolderTest, HoldsThisTest) {
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), PathSeparator());
    EXPECT_TRUE(FileExists(folder + PathSeparator() + QUILLON_TEST_EXE_NAME)) << folder;
}

#ifdef _WIN32
TEST(SpecialFolderTest, AreExistingFoldersWithoutTrailingSeparator) {
    for (const SpecialFolder which : {SpecialFolder::AppData, SpecialFolder::MyDocuments}) {
        const std::string folder = SpecialFolderPath(which);
        SCOPED_TRACE(folder);
        ASSERT_FALSE(folder.empty());
        EXPECT_NE(folder.back(), '\\');
        EXPECT_TRUE(std::filesystem::is_directory(folder));
    }
}
#else
// In the paths below '@' stands for the test's scratch folder.
std::string Placed(const std::string& text, const std::string& root) {
    std::string out;
    for (const char c : text) out += c == '@' ? root : std::string(1, c);
    return out;
}

TEST(SpecialFolderTest, FollowXdgSettings) {
    const struct {
        const char* label;
        const char* home;
        const char* configHome;  // null: unset
        const char* dirsFolder;  // user-dirs.dirs written there unless null
        const char* dirs;
        const char* appData;
        const char* documents;
    } cases[] = {
        {"defaults", "@/home", nullptr, nullptr, "", "@/home/.config", "@/home/Documents"},
        {"config home", "@/home", "@/cfg", nullptr, "", "@/cfg", "@/home/Documents"},
        {"trailing slashes", "@/home//", "@/cfg/", nullptr, "", "@/cfg", "@/home/Documents"},
        {"relative config home is ignored", "@/home", "cfg", nullptr, "", "@/home/.config",
         "@/home/Documents"},
        {"documents under HOME", "@/home", "@/cfg", "cfg",
         "XDG_DESKTOP_DIR=\"$HOME/Desk\"\nXDG_DOCUMENTS_DIR=\"$HOME/Papers/\"\n", "@/cfg",
         "@/home/Papers"},
        {"file in the default config home", "@/home", nullptr, "home/.config",
         "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n", "@/home/.config", "@/home/Papers"},
        {"absolute, escaped, last one wins", "@/home", "@/cfg", "cfg",
         "# written by hand\nXDG_DOCUMENTS_DIR=\"$HOME/Old\"\n"
         "  XDG_DOCUMENTS_DIR=\"/srv/my \\\"docs\\\"\"\n",
         "@/cfg", "/srv/my \"docs\""},
        {"HOME itself", "@/home", "@/cfg", "cfg", "XDG_DOCUMENTS_DIR=\"$HOME\"\n", "@/cfg",
         "@/home"},
        {"relative entry", "@/home", "@/cfg", "cfg", "XDG_DOCUMENTS_DIR=\"Papers\"\n", "@/cfg",
         "@/home/Documents"},
        {"other variable than HOME", "@/home", "@/cfg", "cfg",
         "XDG_DOCUMENTS_DIR=\"$HOMEWORK/Papers\"\n", "@/cfg", "@/home/Documents"},
        {"unterminated quote", "@/home", "@/cfg", "cfg", "XDG_DOCUMENTS_DIR=\"/srv/docs\n",
         "@/cfg", "@/home/Documents"},
        {"unquoted", "@/home", "@/cfg", "cfg", "XDG_DOCUMENTS_DIR=/srv/docs\n", "@/cfg",
         "@/home/Documents"},
        {"longer key", "@/home", "@/cfg", "cfg", "XDG_DOCUMENTS_DIRS=\"/srv/docs\"\n", "@/cfg",
         "@/home/Documents"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder folder;
        const std::string& root = folder.Root();
        const ScopedEnvironment home("HOME", Placed(c.home, root));
        const ScopedEnvironment configHome(
            "XDG_CONFIG_HOME",
            c.configHome ? std::optional<std::string>(Placed(c.configHome, root)) : std::nullopt);
        if (c.dirsFolder) {
            folder.MakeFolder(c.dirsFolder);
            folder.Write(std::string(c.dirsFolder) + "/user-dirs.dirs", c.dirs);
        }
        EXPECT_EQ(SpecialFolderPath(SpecialFolder::AppData), Placed(c.appData, root));
        EXPECT_EQ(SpecialFolderPath(SpecialFolder::MyDocuments), Placed(c.documents, root));
    }
}
#endif

}  // namespace
}  // namespace quillon::os
