// What an engine configuration asks of the session component that owns it: where and
// under which identifier it is stored, the defaults of a first use, the expansion of
// names, and the hooks it calls. Its properties start at the component defaults; the
// session derives from it and replaces the hooks it needs.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/config_storage.h"
#include "engine/name_list.h"
#include "engine/spell_options.h"

namespace quillon {

// The options a configuration starts with when its owner sets none.
inline constexpr TSpellOptions kComponentDefaultOptions{soLiveSpelling,  soLiveCorrect, soInternet,
                                                        soAbbreviations, soRepeated,    soDUalCaps};

class TConfigOwner {
public:
    using TConfigReadStringEvent =
        std::function<void(TConfigOwner& sender, const std::string& configID, const std::string& key,
                           const std::string& defaultValue, std::string& value)>;
    using TConfigWriteStringEvent = std::function<void(TConfigOwner& sender, const std::string& configID,
                                                       const std::string& key, const std::string& value)>;
    using TNotifyEvent = std::function<void(TConfigOwner& sender)>;

    TConfigOwner() = default;
    TConfigOwner(const TConfigOwner&) = delete;
    TConfigOwner& operator=(const TConfigOwner&) = delete;
    virtual ~TConfigOwner() = default;

    TConfigStorage ConfigStorage() const { return configStorage_; }
    void SetConfigStorage(TConfigStorage storage) { configStorage_ = storage; }
    const std::string& ConfigID() const { return configID_; }
    void SetConfigID(std::string id) { configID_ = std::move(id); }
    const std::string& ConfigFilename() const { return configFilename_; }
    void SetConfigFilename(std::string name) { configFilename_ = std::move(name); }
    const std::string& ConfigRegistryKey() const { return configRegistryKey_; }
    void SetConfigRegistryKey(std::string key) { configRegistryKey_ = std::move(key); }
    TNameList& ConfigDictionaryDir() { return configDictionaryDir_; }
    const TNameList& ConfigDictionaryDir() const { return configDictionaryDir_; }
    bool ConfigUseMSWordCustom() const { return configUseMSWordCustom_; }
    void SetConfigUseMSWordCustom(bool on) { configUseMSWordCustom_ = on; }

    // The first use of a configuration takes these.
    const std::vector<std::string>& ConfigDefaultMain() const { return configDefaultMain_; }
    void SetConfigDefaultMain(std::vector<std::string> names) { configDefaultMain_ = std::move(names); }
    const std::vector<std::string>& ConfigDefaultCustom() const { return configDefaultCustom_; }
    void SetConfigDefaultCustom(std::vector<std::string> names) { configDefaultCustom_ = std::move(names); }
    const std::string& ConfigDefaultActiveCustom() const { return configDefaultActiveCustom_; }
    void SetConfigDefaultActiveCustom(std::string name) { configDefaultActiveCustom_ = std::move(name); }
    TSpellOptions ConfigDefaultOptions() const { return configDefaultOptions_; }
    void SetConfigDefaultOptions(TSpellOptions options) { configDefaultOptions_ = options; }
    bool ConfigDefaultUseMSWordCustom() const { return configDefaultUseMSWordCustom_; }
    void SetConfigDefaultUseMSWordCustom(bool on) { configDefaultUseMSWordCustom_ = on; }

    // ExpandMacros(text), then its first "%ConfigID%" replaced with ExpandMacros(ConfigID).
    virtual std::string ExpandVars(std::string_view text) const;
    // Called by the configuration after each change once it is loaded; `dictionaries`
    // says that its lists, folders or active custom dictionary changed.
    virtual void ConfigurationChanged(bool /*dictionaries*/) {}
    // The Word custom dictionaries found on this system (none natively).
    virtual std::vector<std::string> MSWordCustomDictionaries();

    TConfigReadStringEvent OnConfigReadString;
    TConfigWriteStringEvent OnConfigWriteString;
    TNotifyEvent OnConfigLoaded;
    TNotifyEvent OnConfigSaved;

private:
    TConfigStorage configStorage_ = csRegistry;
    std::string configID_ = "%UserName%";
    std::string configFilename_ = "%AppDir%\\Spell.cfg";
    std::string configRegistryKey_ = "Software\\Orvel\\%AppName%";
    TNameList configDictionaryDir_{"%AppDir%"};
    bool configUseMSWordCustom_ = true;
    std::vector<std::string> configDefaultMain_{"American.ovm"};
    std::vector<std::string> configDefaultCustom_;
    std::string configDefaultActiveCustom_ = "%ConfigID%.ovu";
    TSpellOptions configDefaultOptions_ = kComponentDefaultOptions;
    bool configDefaultUseMSWordCustom_ = false;
};

}  // namespace quillon
