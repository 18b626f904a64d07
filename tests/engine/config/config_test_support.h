// Shared pieces of the configuration tests: an owner that records what the configuration
// tells it, a snapshot of everything a configuration holds, and the storages the same
// behaviours are run against, each able to look at and damage what it stored.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/config_owner.h"
#include "engine/orvel_config.h"
#include "tests/support/temp_folder.h"

namespace quillon::test {

inline constexpr const char* kTestConfigID = "Tester";

class TestOwner : public TConfigOwner {
public:
    TestOwner();
    void ConfigurationChanged(bool dictionaries) override { changes.push_back(dictionaries); }
    std::vector<std::string> MSWordCustomDictionaries() override { return wordDictionaries; }

    std::vector<bool> changes;
    std::vector<std::string> wordDictionaries{"C:\\Proof\\word.dic"};
};

struct ConfigSnapshot {
    std::vector<std::string> main, custom, msWord, newPaths;
    std::string activeCustom;
    std::uint16_t options = 0;
    int dialogX = 0, dialogY = 0;
    std::vector<std::pair<std::string, std::string>> userValues;  // those asked for

    static ConfigSnapshot Of(TOrvelConfig& config, const std::vector<std::string>& userNames = {});
    bool operator==(const ConfigSnapshot&) const = default;
};
std::ostream& operator<<(std::ostream& out, const ConfigSnapshot& s);

// Fills every field with values that are hard to store: blanks around, quotes, "=",
// ";", brackets, Windows-1252 letters.
void FillTrickyValues(TOrvelConfig& config);
std::vector<std::string> TrickyUserNames();

// One storage the configuration can use, with a look behind it.
class ConfigBackend {
public:
    virtual ~ConfigBackend() = default;
    // Points the owner at this storage, with ConfigID kTestConfigID.
    virtual void Configure(TConfigOwner& owner) = 0;
    // The stored text of a key, or nothing when it is not there.
    virtual std::optional<std::string> Raw(const std::string& key) = 0;
    virtual void SetRaw(const std::string& key, const std::string& value) = 0;
};

struct BackendKind {
    const char* name;
    std::function<std::unique_ptr<ConfigBackend>(const TempFolder& folder)> make;
};

BackendKind IniBackend();
BackendKind CallbackBackend();
#ifdef _WIN32
// A key of its own below HKEY_CURRENT_USER\Software, removed with everything in it.
class RegistryKeyBackend : public ConfigBackend {
public:
    RegistryKeyBackend();
    ~RegistryKeyBackend() override;

    void Configure(TConfigOwner& owner) override;
    std::optional<std::string> Raw(const std::string& key) override;
    void SetRaw(const std::string& key, const std::string& value) override;

    const std::string& Key() const { return key_; }
    // The key that holds the configuration's values.
    std::string Path() const { return key_ + "\\" + kTestConfigID; }

private:
    std::string key_;
};
BackendKind RegistryBackend();
#else
BackendKind XdgRegistryBackend();
#endif

}  // namespace quillon::test
