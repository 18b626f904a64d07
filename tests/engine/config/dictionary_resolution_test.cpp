#include "engine/dictionary_resolution.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "builders/ovm_writer.h"
#include "engine/path_macros.h"
#include "platform/os/os.h"
#include "tests/support/temp_folder.h"

namespace quillon {
namespace {

using test::TempFolder;

class OpenMainDictionaryTest : public ::testing::Test {
protected:
    OpenMainDictionaryTest() : first_(folder_.MakeFolder("first")), second_(folder_.MakeFolder("second")) {
        const auto bytes = CompileMainDictionary({"word"}, u"Sample", 1033).bytes;
        folder_.Write("second/en.ovm", bytes);
        folder_.Write("first/broken.ovm", "not a dictionary");
        folder_.Write("second/broken.ovm", bytes);
    }

    // As the engine names a file in a folder.
    std::string Expected(const std::string& folder, const std::string& name) const {
        return owner_.ExpandVars(InFolder(folder, name));
    }

    TempFolder folder_;
    std::string first_, second_;
    TConfigOwner owner_;
};

TEST_F(OpenMainDictionaryTest, ANameWithoutFolderOpensFromTheFirstFolderWhereItIsADictionary) {
    const struct {
        const char* name;
        std::vector<std::string> folders;
        bool opens;
    } cases[] = {
        {"en.ovm", {first_, second_}, true},
        {"en.ovm", {"", first_ + "\\", second_ + "\\\\"}, true},  // trailing separators, an empty folder
        {"broken.ovm", {first_, second_}, true},                  // a damaged file is passed over
        {"missing.ovm", {first_, second_}, false},
        {"en.ovm", {first_}, false},
        {"en.ovm", {}, false},
        {"", {first_, second_}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " in " << c.folders.size() << " folders");
        const auto dictionary = OpenMainDictionary(owner_, c.folders, c.name);
        ASSERT_EQ(dictionary != nullptr, c.opens);
        if (dictionary) {
            EXPECT_EQ(dictionary->FileName(), Expected(second_, c.name));
        }
    }
}

TEST_F(OpenMainDictionaryTest, ANameWithAFolderOpensDirectly) {
    const std::string name = second_ + "\\en.ovm";
    const auto dictionary = OpenMainDictionary(owner_, {first_}, name);
    ASSERT_NE(dictionary, nullptr);
    EXPECT_EQ(dictionary->FileName(), owner_.ExpandVars(name));
    EXPECT_EQ(dictionary->Title(), "Sample");
    EXPECT_EQ(OpenMainDictionary(owner_, {second_}, first_ + "\\en.ovm"), nullptr);
}

class OpenCustomDictionaryTest : public OpenMainDictionaryTest {
protected:
    OpenCustomDictionaryTest() {
        TCustomDictionary made;
        made.SetFileName(folder_.Path("second") + os::PathSeparator() + "mine.ovu");
        made.AddWord("word");
        made.Save();
        folder_.Write("first/bad.ovu", "not a custom dictionary");
    }
};

TEST_F(OpenCustomDictionaryTest, ANameWithoutFolderIsFoundWhereItIsElseMadeInTheFirstFolder) {
    const std::string fresh = first_ + os::PathSeparator() + "fresh";  // not there yet
    const struct {
        const char* name;
        std::vector<std::string> folders;
        std::string folder;  // where it opens; empty: it does not
    } cases[] = {
        {"mine.ovu", {first_, second_}, second_},
        {"new.ovu", {first_, second_}, first_},
        {"new.ovu", {"", fresh, second_}, fresh},
        {"bad.ovu", {first_, second_}, ""},  // found, but not a dictionary
        {"new.ovu", {}, ""},
        {"", {first_}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " in " << c.folders.size() << " folders");
        const auto dictionary = OpenCustomDictionary(owner_, c.folders, c.name);
        ASSERT_EQ(dictionary != nullptr, !c.folder.empty());
        if (dictionary) {
            EXPECT_EQ(dictionary->FileName(), Expected(c.folder, c.name));
        }
    }
    EXPECT_TRUE(OpenCustomDictionary(owner_, {first_, second_}, "mine.ovu")->IsAdded("word"));
    EXPECT_FALSE(os::FileExists(Expected(first_, "new.ovu"))) << "made when it is first saved";
}

TEST_F(OpenCustomDictionaryTest, ANameWithAFolderGetsItsFoldersAndCopiesOpenOnItAreSavedFirst) {
    const std::string name = folder_.Root() + "\\made\\here\\own.ovu";
    auto supplied = std::make_unique<TCustomDictionary>();
    const TCustomDictionary* object = supplied.get();
    std::vector<std::string> saved;
    const auto dictionary =
        OpenCustomDictionary(owner_, {first_}, name, std::move(supplied),
                             [&saved](const std::string& fileName) { saved.push_back(fileName); });
    ASSERT_EQ(dictionary.get(), object);
    EXPECT_EQ(dictionary->FileName(), owner_.ExpandVars(name));
    EXPECT_EQ(saved, std::vector<std::string>{owner_.ExpandVars(name)});
    EXPECT_TRUE(std::filesystem::is_directory(folder_.Path("made")));
}

TEST(LoadWordCustomDictionaryTest, EveryLineIsAnAddedWordWhateverTheEncoding) {
    const TempFolder folder;
    const struct {
        const char* what;
        std::string bytes;
        std::vector<std::string> words;
    } cases[] = {
        {"ANSI, mixed line ends", "alpha\r\nbeta\n\n\r\ngamma", {"alpha", "beta", "gamma"}},
        {"ANSI letters", "Caf\xE9\r\n", {"Caf\xE9"}},
        {"UTF-16",
         std::string("\xFF\xFE"
                     "C\0a\0f\0\xE9\0\r\0\n\0x\0",
                     16),
         {"Caf\xE9", "x"}},
        {"UTF-8",
         "\xEF\xBB\xBF"
         "Caf\xC3\xA9\nx",
         {"Caf\xE9", "x"}},
        {"empty", "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto dictionary = LoadWordCustomDictionary(folder.Write("word.dic", c.bytes));
        ASSERT_NE(dictionary, nullptr);
        EXPECT_TRUE(dictionary->FileName().empty());
        EXPECT_EQ(dictionary->AddedCount(), static_cast<int>(c.words.size()));
        for (const std::string& word : c.words) EXPECT_TRUE(dictionary->IsAdded(word)) << word;
        EXPECT_FALSE(dictionary->Modified());
    }
    EXPECT_EQ(LoadWordCustomDictionary(folder.Path("missing.dic")), nullptr);
}

}  // namespace
}  // namespace quillon
