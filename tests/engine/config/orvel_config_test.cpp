#include "engine/orvel_config.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/path_macros.h"
#include "platform/os/os.h"
#include "tests/engine/config/config_storage_behaviour.h"
#include "tests/engine/config/config_test_support.h"
#include "tests/support/temp_folder.h"

namespace quillon::test {
namespace {

using Names = std::vector<std::string>;

std::vector<BackendKind> PortableBackends() {
#ifdef _WIN32
    return {IniBackend(), CallbackBackend()};
#else
    return {IniBackend(), CallbackBackend(), XdgRegistryBackend()};
#endif
}

INSTANTIATE_TEST_SUITE_P(Portable, ConfigStorageTest, ::testing::ValuesIn(PortableBackends()), BackendName);

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(OrvelConfigTest, NoneStorageNeverWritesAndEverySessionStartsFromTheDefaults) {
    const TempFolder folder;
    TestOwner owner;
    owner.SetConfigStorage(csNone);
    owner.SetConfigFilename(folder.Path("never.cfg"));
    owner.OnConfigReadString = [](auto&&...) { ADD_FAILURE() << "read asked"; };
    owner.OnConfigWriteString = [](auto&&...) { ADD_FAILURE() << "write asked"; };
    {
        TOrvelConfig config(owner);
        config.MainDictionaries().Add("added.ovm");
        config.SetOptions({});
        config.Save();
        EXPECT_FALSE(config.Modified());
        config.SetLoaded(false);
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.Root()));
    TOrvelConfig again(owner);
    EXPECT_EQ(again.MainDictionaries().Items(), (Names{"first.ovm", "second.ovm"}));
    EXPECT_EQ(again.Options(), (TSpellOptions{soUpcase, soRepeated, soUser2}));
}

TEST(OrvelConfigTest, TheOwnerHearsOfEachChangeOnceTheConfigurationIsLoaded) {
    TestOwner owner;
    owner.SetConfigStorage(csNone);
    TOrvelConfig config(owner);
    EXPECT_TRUE(owner.changes.empty()) << "created unloaded";
    config.Options();
    EXPECT_EQ(owner.changes, std::vector<bool>{true}) << "a load ends with a change of dictionaries";
    EXPECT_TRUE(config.Modified()) << "every loaded configuration is written back";

    const struct {
        const char* what;
        std::function<void(TOrvelConfig&)> act;
        std::vector<bool> heard;
    } cases[] = {
        {"same options", [](TOrvelConfig& c) { c.SetOptions(c.Options()); }, {}},
        {"other options", [](TOrvelConfig& c) { c.SetOptions({soHTML}); }, {false}},
        {"dialog position", [](TOrvelConfig& c) { c.SetDialogX(5), c.SetDialogY(6); }, {false, false}},
        {"same dialog position", [](TOrvelConfig& c) { c.SetDialogX(5); }, {}},
        {"main list", [](TOrvelConfig& c) { c.MainDictionaries().Add("n.ovm"); }, {true}},
        {"new active custom", [](TOrvelConfig& c) { c.SetActiveCustom("new.ovu"); }, {true}},
        {"same active custom", [](TOrvelConfig& c) { c.SetActiveCustom("new.ovu"); }, {}},
        {"folder twice",
         [](TOrvelConfig& c) { c.NewPaths().Add("C:\\x"), c.NewPaths().Add("C:\\x"); },
         {true}},
        {"user value", [](TOrvelConfig& c) { c.SetUserValue("a", "b"); }, {false}},
        {"removed entry", [](TOrvelConfig& c) { c.CustomDictionaries().Remove("shared.ovu"); }, {true}},
        {"absent entry", [](TOrvelConfig& c) { c.CustomDictionaries().Remove("nothing.ovu"); }, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        owner.changes.clear();
        c.act(config);
        EXPECT_EQ(owner.changes, c.heard);
    }
    EXPECT_TRUE(config.CustomDictionaries().Contains("new.ovu")) << "the active one joins the custom list";
}

// File names compare the way the platform's file system does.
TEST(OrvelConfigTest, NamesOfTheSameFileAreOneEntry) {
    TestOwner owner;
    owner.SetConfigStorage(csNone);
    TOrvelConfig config(owner);
    config.NewPaths().Add("C:\\Dictionaries");
    config.NewPaths().Add("c:\\DICTIONARIES");
    config.SetActiveCustom("SHARED.OVU");
#ifdef _WIN32
    EXPECT_EQ(config.NewPaths().Count(), 1u);
    EXPECT_EQ(config.CustomDictionaries().Items(), (Names{"shared.ovu", "Tester.ovu"}));
#else
    EXPECT_EQ(config.NewPaths().Items(), (Names{"C:\\Dictionaries", "c:\\DICTIONARIES"}));
    EXPECT_EQ(config.CustomDictionaries().Items(), (Names{"shared.ovu", "Tester.ovu", "SHARED.OVU"}));
#endif
}

TEST(OrvelConfigTest, AValueSetBeforeTheFirstLoadIsNotLostToIt) {
    TestOwner owner;
    owner.SetConfigStorage(csNone);
    TOrvelConfig config(owner);
    config.SetOptions({soQuoted});
    config.SetUserValue("k", "v");
    EXPECT_EQ(config.Options(), TSpellOptions{soQuoted});
    EXPECT_EQ(config.GetUserValue("k"), "v");
}

TEST(OrvelConfigTest, TheComponentDefaultsNameTheUserAndTheWordDictionariesOnlyWhenBothAllow) {
    const std::string user = os::UserName().empty() ? "default" : os::UserName();
    TConfigOwner plain;
    plain.SetConfigStorage(csNone);
    TOrvelConfig config(plain);
    EXPECT_EQ(config.MainDictionaries().Items(), Names{"American.ovm"});
    EXPECT_EQ(config.ConfigID(), user);
    EXPECT_EQ(config.ActiveCustom(), user + ".ovu");
    EXPECT_EQ(config.CustomDictionaries().Items(), Names{user + ".ovu"});
    EXPECT_EQ(config.Options(), kComponentDefaultOptions);
    EXPECT_TRUE(config.MSWordDictionaries().Empty());

    const struct {
        bool use, byDefault;
        Names expected;
    } cases[] = {
        {true, true, {"C:\\Proof\\word.dic"}},
        {true, false, {}},
        {false, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.use << c.byDefault);
        TestOwner owner;
        owner.SetConfigStorage(csNone);
        owner.SetConfigUseMSWordCustom(c.use);
        owner.SetConfigDefaultUseMSWordCustom(c.byDefault);
        TOrvelConfig word(owner);
        EXPECT_EQ(word.MSWordDictionaries().Items(), c.expected);
    }
}

TEST(OrvelConfigTest, CallbackStorageIsAskedWithTheExpandedIdentifierInOrder) {
    TestOwner owner;
    owner.SetConfigStorage(csCallback);
    owner.SetConfigID("id-%AppName%");
    owner.SetConfigDefaultCustom({});
    owner.SetConfigDefaultActiveCustom("");
    const std::string id = "id-" + os::ProgramName();
    std::vector<std::string> reads, writes;
    int loaded = 0, saved = 0;
    owner.OnConfigReadString = [&](TConfigOwner& sender, const std::string& configID, const std::string& key,
                                   const std::string& defaultValue, std::string& value) {
        EXPECT_EQ(&sender, &owner);
        EXPECT_EQ(configID, id);
        EXPECT_EQ(value, defaultValue) << "a value starts as its default";
        reads.push_back(key + "?" + defaultValue);
        if (key == "_FirstRun") value = "+";
        if (key == "_Main_count") value = "1";
        if (key == "_Main_0") value = "a.ovm";
        if (key == "_UserData_count") value = "1";
        if (key == "_UserData_0") value = "k";
    };
    owner.OnConfigWriteString = [&](TConfigOwner&, const std::string& configID, const std::string& key,
                                    const std::string& value) {
        EXPECT_EQ(configID, id);
        writes.push_back(key + "=" + value);
    };
    owner.OnConfigLoaded = [&](TConfigOwner& sender) { loaded += &sender == &owner; };
    owner.OnConfigSaved = [&](TConfigOwner& sender) { saved += &sender == &owner; };

    TOrvelConfig config(owner);
    config.SetUserValue("k", "v");
    EXPECT_EQ(loaded, 1);
    config.Save();
    EXPECT_EQ(saved, 1);
    EXPECT_EQ(config.ConfigID(), id);

    const Names options = {"_soUpcase",   "_soNumbers",       "_soHTML",        "_soInternet",
                           "_soQuoted",   "_soAbbreviations", "_soPrimaryOnly", "_soRepeated",
                           "_soDUalCaps", "_soLiveSpelling",  "_soLiveCorrect", "_soUser1",
                           "_soUser2",    "_soUser3",         "_soUser4"};
    Names expectedReads = {"_FirstRun?-",     "_Main_count?-",         "_Main_0?",
                           "_Custom_count?-", "_MSWordCustom_count?-", "_ActiveCustom?"};
    for (const std::string& key : options) expectedReads.push_back(key + "?-");
    for (const char* key :
         {"_DialogX?-1", "_DialogY?-1", "_NewPaths_count?-", "_UserData_count?-", "_UserData_0?", "User_k?"})
        expectedReads.push_back(key);
    EXPECT_EQ(reads, expectedReads);

    Names expectedWrites = {"_FirstRun=+",     "_Main_count=1",         "_Main_0=a.ovm",
                            "_Custom_count=0", "_MSWordCustom_count=0", "_ActiveCustom="};
    for (const std::string& key : options) expectedWrites.push_back(key + "=-");
    for (const char* key : {"_DialogX=-1", "_DialogY=-1", "_NewPaths_count=0", "_UserData_count=1",
                            "_UserData_0=k", "User_k=v"})
        expectedWrites.push_back(key);
    EXPECT_EQ(writes, expectedWrites);
}

TEST(OrvelConfigTest, FileStorageCreatesTheFoldersOfABackslashedName) {
    const TempFolder folder;
    TestOwner owner;
    owner.SetConfigStorage(csFile);
    owner.SetConfigFilename(folder.Root() + "\\nested\\deeper\\Spell.cfg");
    const char sep = os::PathSeparator();
    const std::string expected = folder.Root() + sep + "nested" + sep + "deeper" + sep + "Spell.cfg";
    TOrvelConfig config(owner);
    config.Options();
    EXPECT_EQ(config.FileName(), expected);
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path("nested")));
    config.SetLoaded(false);
    EXPECT_TRUE(os::FileExists(expected));
}

TEST(OrvelConfigTest, AWriteTheIniFileCannotTakeEndsTheSaveAndLeavesTheFileAsItWas) {
    const TempFolder folder;
    TestOwner owner;
    owner.SetConfigStorage(csFile);
    owner.SetConfigFilename(folder.Path("Spell.cfg"));
    int saved = 0;
    owner.OnConfigSaved = [&saved](TConfigOwner&) { ++saved; };
    TOrvelConfig config(owner);
    config.SetLoaded(true);
    config.Save();
    ASSERT_EQ(saved, 1);
    const std::string before = FileBytes(folder.Path("Spell.cfg"));

    config.MainDictionaries().Add("more.ovm");
    config.SetUserValue("note", "two\r\nlines");
    config.Save();
    EXPECT_EQ(FileBytes(folder.Path("Spell.cfg")), before) << "nothing of the failed save is kept";
    EXPECT_TRUE(config.Modified()) << "so that the next save tries again";
    EXPECT_EQ(saved, 1);

    config.SetUserValue("note", "one line");
    config.Save();
    EXPECT_FALSE(config.Modified());
    EXPECT_EQ(saved, 2);
    TOrvelConfig again(owner);
    EXPECT_TRUE(again.MainDictionaries().Contains("more.ovm"));
    EXPECT_EQ(again.GetUserValue("note"), "one line");
}

TEST(OrvelConfigTest, AnIniFileThatCannotBeReadIsAFirstUseAndIsNeverReplaced) {
    const TempFolder folder;
    TestOwner owner;
    owner.SetConfigStorage(csFile);
    owner.SetConfigFilename(folder.MakeFolder("Spell.cfg"));  // a folder where the file should be
    {
        TOrvelConfig config(owner);
        EXPECT_EQ(config.MainDictionaries().Items(), (Names{"first.ovm", "second.ovm"}));
        config.Save();
        EXPECT_TRUE(config.Modified());
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path("Spell.cfg")));
}

}  // namespace
}  // namespace quillon::test
