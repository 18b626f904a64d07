#include "engine/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "tests/support/temp_folder.h"

namespace quillon {
namespace {

using test::TempFolder;

// One file with every kind of line the reader must get through.
constexpr const char* kMixedFile =
    "stray=before any section\r\n"
    "[Default]\r\n"
    "; a comment=not a key\r\n"
    "  Spaced Key  =   spaced value   \r\n"
    "dup=first\r\n"
    "DUP=second\r\n"
    "empty=\r\n"
    "no equals sign here\r\n"
    "dq=\"  kept  \"\r\n"
    "sq='x'\r\n"
    "mismatched=\"x'\r\n"
    "lonequote=\"\r\n"
    "a=b=c\r\n"
    "\r\n"
    "[ Other ] trailing text\r\n"
    "k=other\r\n"
    "[unclosed\r\n"
    "tab\t=\tv\t\r\n"
    "[default]\r\n"
    "late=in a repeated section\r\n";

TEST(IniFileTest, ReadsTheWayTheWindowsProfileFunctionsDo) {
    const TIniFile ini(kMixedFile);
    const struct {
        const char* section;
        const char* key;
        std::optional<std::string> value;
    } cases[] = {
        {"Default", "Spaced Key", "spaced value"},
        {"DEFAULT", "spaced key", "spaced value"},
        {"Default", "dup", "first"},
        {"Default", "empty", ""},
        {"Default", "dq", "  kept  "},
        {"Default", "sq", "x"},
        {"Default", "mismatched", "\"x'"},
        {"Default", "lonequote", "\""},
        {"Default", "a", "b=c"},
        {"Default", "no equals sign here", std::nullopt},
        {"Default", "; a comment", std::nullopt},
        {"Default", "late", std::nullopt},  // the first of repeated sections counts
        {"Default", "stray", std::nullopt},
        {"Other", "k", "other"},
        {"Other", "tab", "v"},  // "[unclosed" is no header: its lines stay in [Other]
        {"Missing", "k", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(ini.Value(c.section, c.key), c.value);
    }
    EXPECT_EQ(ini.ReadString("Missing", "k", "fallback"), "fallback");
}

TEST(IniFileTest, LineEndsAndAByteOrderMarkDoNotChangeWhatIsRead) {
    for (const char* text :
         {"[S]\nk=v\n", "[S]\r\nk=v\r\n", "[S]\r\nk=v", "\xEF\xBB\xBF[S]\nk=v", "[S]\nk=v\r\r\n"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(TIniFile(text).Value("S", "k"), "v");
    }
}

TEST(IniFileTest, WritingChangesOnlyTheLinesItMustAndKeepsTheLineEnds) {
    TIniFile ini(
        "; settings\n"
        "[A]\n"
        "x = 1\n"
        "odd line\n"
        "\n"
        "; about B\n"
        "[B]\n"
        "y=2\n");
    ASSERT_TRUE(ini.WriteString("a", "X", "10"));
    ASSERT_TRUE(ini.WriteString("A", "new", "n"));
    ASSERT_TRUE(ini.WriteString("B", "z", "3"));
    ASSERT_TRUE(ini.WriteString("C", "w", "4"));
    EXPECT_EQ(ini.Text(),
              "; settings\n"
              "[A]\n"
              "x=10\n"
              "new=n\n"
              "odd line\n"
              "\n"
              "; about B\n"
              "[B]\n"
              "y=2\n"
              "z=3\n"
              "\n"
              "[C]\n"
              "w=4\n");

    TIniFile fresh;
    ASSERT_TRUE(fresh.WriteString("S", "k", "v"));
    EXPECT_EQ(fresh.Text(), "[S]\r\nk=v\r\n");
}

TEST(IniFileTest, ValuesThatReadingWouldChangeComeBackWhole) {
    for (const char* value : {"", " lead", "trail\t", "\"quoted\"", "'single'", "\"", "'", "a=b",
                              "; not a comment", "[not a section]", "Caf\xE9", "  \"both\"  "}) {
        SCOPED_TRACE(value);
        TIniFile ini;
        ASSERT_TRUE(ini.WriteString("S", "k", value));
        EXPECT_EQ(TIniFile(ini.Text()).Value("S", "k"), value);
    }
}

TEST(IniFileTest, RefusesWhatTheFormatCannotHoldAndStaysUnchanged) {
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"S", "k", "two\nlines"}, {"S", "k", "cr\r"},   {"S", "", "v"},   {"S", "a=b", "v"},
        {"S", " k", "v"},         {"S", "[k]", "v"},    {"S", ";k", "v"}, {"S", "k\n[X]", "v"},
        {" S", "k", "v"},         {"S\n[X]", "k", "v"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.section << "/" << c.key << "/" << c.value);
        TIniFile ini("[S]\r\nk=old\r\n");
        EXPECT_FALSE(ini.WriteString(c.section, c.key, c.value));
        EXPECT_EQ(ini.Text(), "[S]\r\nk=old\r\n");
    }
}

TEST(IniFileTest, AHugeLineIsReadWhole) {
    const std::string value(3 << 20, 'v');
    const TIniFile ini("[S]\nbig=" + value + "\nafter=1\n");
    EXPECT_EQ(ini.Value("S", "big"), value);
    EXPECT_EQ(ini.Value("S", "after"), "1");
}

TEST(IniFileTest, FilesLoadAndSaveAndAnUnreadableOneIsNeverReplaced) {
    const TempFolder folder;
    TIniFile ini;
    EXPECT_EQ(ini.LoadFromFile(folder.Path("missing.ini")), TIniFile::TLoadResult::Missing);
    ASSERT_TRUE(ini.WriteString("S", "k", "v"));
    ASSERT_TRUE(ini.SaveToFile(folder.Path("missing.ini")));
    EXPECT_EQ(ini.LoadFromFile(folder.Path("missing.ini")), TIniFile::TLoadResult::Read);
    EXPECT_EQ(ini.Value("S", "k"), "v");

    const std::string notAFile = folder.MakeFolder("folder.ini");
    EXPECT_EQ(ini.LoadFromFile(notAFile), TIniFile::TLoadResult::Unreadable);
    ASSERT_TRUE(ini.WriteString("S", "k", "v"));
    std::string error;
    EXPECT_FALSE(ini.SaveToFile(notAFile, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_directory(notAFile));
}

}  // namespace
}  // namespace quillon
