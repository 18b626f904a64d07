#include "cli/configured_dictionaries.h"

#include "cli/cli_support.h"
#include "engine/config_owner.h"
#include "engine/dictionary_resolution.h"
#include "engine/ini_file.h"
#include "engine/orvel_config.h"

namespace quillon::cli {
namespace {

// The program's own configuration identifier and first-use defaults.
constexpr const char* kProgramConfigID = "Default";

void UseProgramDefaults(TConfigOwner& owner) {
    owner.SetConfigID(kProgramConfigID);
    owner.SetConfigDefaultMain({"american.ovm"});
    owner.SetConfigDefaultCustom({"default.ovu", "autocorrect.ovu"});
    owner.SetConfigDefaultActiveCustom("default.ovu");
    owner.SetConfigDefaultOptions(kProgramDefaultOptions);
    owner.SetConfigUseMSWordCustom(false);
}

}  // namespace

ConfiguredDictionaries LoadConfiguredDictionaries(const std::string& configFile) {
    TIniFile ini;
    if (ini.LoadFromFile(configFile) != TIniFile::TLoadResult::Read)
        throw ECliError("cannot read the configuration " + configFile);

    // Values come from the file through the callback storage, and nothing is written back.
    TConfigOwner owner;
    UseProgramDefaults(owner);
    owner.SetConfigStorage(csCallback);
    owner.OnConfigReadString = [&ini](TConfigOwner&, const std::string& section, const std::string& key,
                                      const std::string& defaultValue,
                                      std::string& value) { value = ini.ReadString(section, key, defaultValue); };
    TOrvelConfig config(owner);

    ConfiguredDictionaries result;
    const std::vector<std::string> folders = DictionaryFolders(owner.ConfigDictionaryDir(), config.NewPaths());
    for (const std::string& name : config.MainDictionaries())
        if (auto dictionary = OpenMainDictionary(owner, folders, name)) result.main.push_back(std::move(dictionary));
    if (result.main.empty()) throw ECliError("no main dictionary named by " + configFile + " opens");

    const std::string active = config.ActiveCustom();
    std::vector<std::string> customNames{active};
    for (const std::string& name : config.CustomDictionaries())
        if (owner.ExpandVars(name) != active) customNames.push_back(name);
    for (const std::string& name : customNames)
        if (auto dictionary = OpenCustomDictionary(owner, folders, name)) result.custom.push_back(std::move(dictionary));
    result.options = config.Options();
    return result;
}

}  // namespace quillon::cli
