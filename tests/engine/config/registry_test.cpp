// The configuration and the Word dictionary list in the real registry (under Wine here).
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "engine/dictionary_resolution.h"
#include "engine/orvel_config.h"
#include "platform/os/os.h"
#include "platform/win/registry.h"
#include "tests/engine/config/config_storage_behaviour.h"
#include "tests/engine/config/config_test_support.h"
#include "tests/support/temp_folder.h"

namespace quillon::test {
namespace {

using Names = std::vector<std::string>;

INSTANTIATE_TEST_SUITE_P(Windows, ConfigStorageTest, ::testing::Values(RegistryBackend()), BackendName);

void SetValue(const std::string& path, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

std::vector<std::filesystem::path> MissingFolders(const std::vector<std::filesystem::path>& folders) {
    std::vector<std::filesystem::path> missing;
    for (const auto& folder : folders)
        if (!std::filesystem::exists(folder)) missing.push_back(folder);
    return missing;
}

void SetDword(const std::string& path, const char* name, DWORD value) {
    SetValue(path, name, REG_DWORD, &value, sizeof value);
}

TEST(RegistryConfigTest, TheRegistryAndAnIniFileReadBackTheSameConfiguration) {
    const TempFolder folder;
    std::vector<ConfigSnapshot> original, readBack;
    for (const BackendKind& kind : {RegistryBackend(), IniBackend()}) {
        SCOPED_TRACE(kind.name);
        const auto backend = kind.make(folder);
        TestOwner owner;
        backend->Configure(owner);
        {
            TOrvelConfig config(owner);
            FillTrickyValues(config);
            original.push_back(ConfigSnapshot::Of(config, TrickyUserNames()));
        }
        TOrvelConfig again(owner);
        readBack.push_back(ConfigSnapshot::Of(again, TrickyUserNames()));
    }
    EXPECT_EQ(readBack[0], original[0]);
    EXPECT_EQ(readBack[1], readBack[0]);
}

TEST(RegistryConfigTest, ValuesOfAnotherTypeReadAsMissing) {
    RegistryKeyBackend backend;
    TestOwner owner;
    backend.Configure(owner);
    {
        TOrvelConfig config(owner);
        config.MainDictionaries().Assign({"a.ovm", "b.ovm"});
        config.CustomDictionaries().Assign({"c.ovu"});
        config.SetOptions({soHTML});
        config.SetDialogX(7);
    }
    SetDword(backend.Path(), "_Main_count", 2);
    SetDword(backend.Path(), "_Custom_0", 1);
    SetValue(backend.Path(), "_DialogX", REG_BINARY, "\x07\x00", 2);
    SetValue(backend.Path(), "_soHTML", REG_MULTI_SZ, "+\0", 3);
    {
        TOrvelConfig config(owner);
        EXPECT_TRUE(config.MainDictionaries().Empty());
        // The active one is still added back to the custom list.
        EXPECT_EQ(config.CustomDictionaries().Items(), Names{"Tester.ovu"});
        EXPECT_EQ(config.DialogX(), -1);
        EXPECT_FALSE(config.Options().Has(soHTML));
    }
    SetDword(backend.Path(), "_FirstRun", 1);
    TOrvelConfig firstUse(owner);
    EXPECT_EQ(firstUse.MainDictionaries().Items(), (Names{"first.ovm", "second.ovm"}));
}

TEST(WordDictionaryDiscoveryTest, ListsEachExistingFileOfTheNumberedValuesUpToTheFirstEmptyOne) {
    const TempFolder folder;
    RegistryKeyBackend keyOwner;  // removes the key afterwards
    const std::string key = keyOwner.Key() + "\\Custom Dictionaries";
    const std::string first = folder.Write("first.dic", "alpha\r\n");
    const std::string later = folder.Write("later.dic", "beta\r\n");

    // A name without a folder is looked for in the user's proofing folder; what this
    // test makes there it removes again.
    const std::string appData = os::SpecialFolderPath(os::SpecialFolder::AppData);
    const std::vector<std::filesystem::path> made =
        MissingFolders({appData + "\\Microsoft", appData + "\\Microsoft\\Proof"});
    const std::string proofName = "quillon-test-" + std::to_string(std::random_device()()) + ".dic";
    const std::string proofFile = appData + "\\Microsoft\\Proof\\" + proofName;
    std::filesystem::create_directories(appData + "\\Microsoft\\Proof");
    std::ofstream(proofFile).put('x');

    win::TRegistryKey list = win::TRegistryKey::Create(win::TRegistryRoot::CurrentUser, key);
    const std::vector<std::pair<const char*, std::string>> values = {
        {"1", first},     {"2", folder.Path("missing.dic")},
        {"3", proofName}, {"4", "not-there.dic"},
        {"5", first},     {"6", ""},
        {"7", later}};
    for (const auto& [name, value] : values) ASSERT_TRUE(list.WriteString(name, value));

    EXPECT_EQ(DiscoverWordCustomDictionaries(key), (Names{first, proofFile}));

    std::filesystem::remove(proofFile);
    for (auto folder = made.rbegin(); folder != made.rend(); ++folder) std::filesystem::remove(*folder);
}

}  // namespace
}  // namespace quillon::test
