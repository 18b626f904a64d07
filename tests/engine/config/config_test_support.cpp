#include "tests/engine/config/config_test_support.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "engine/ini_file.h"
#include "engine/path_macros.h"
#include "engine/registry_storage.h"
#include "tests/platform/os/os_test_support.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/win/registry.h"
#endif

namespace quillon::test {

TestOwner::TestOwner() {
    SetConfigID(kTestConfigID);
    SetConfigDefaultMain({"first.ovm", "second.ovm"});
    SetConfigDefaultCustom({"shared.ovu"});
    SetConfigDefaultActiveCustom("%ConfigID%.ovu");
    SetConfigDefaultOptions({soUpcase, soRepeated, soUser2});
}

ConfigSnapshot ConfigSnapshot::Of(TOrvelConfig& config, const std::vector<std::string>& userNames) {
    ConfigSnapshot s;
    s.main = config.MainDictionaries().Items();
    s.custom = config.CustomDictionaries().Items();
    s.msWord = config.MSWordDictionaries().Items();
    s.newPaths = config.NewPaths().Items();
    s.activeCustom = config.ActiveCustom();
    s.options = config.Options().Mask();
    s.dialogX = config.DialogX();
    s.dialogY = config.DialogY();
    for (const std::string& name : userNames) s.userValues.emplace_back(name, config.GetUserValue(name));
    return s;
}

namespace {

void PrintList(std::ostream& out, const char* label, const std::vector<std::string>& list) {
    out << label << " [";
    for (const std::string& entry : list) out << "<" << entry << ">";
    out << "] ";
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const ConfigSnapshot& s) {
    PrintList(out, "main", s.main);
    PrintList(out, "custom", s.custom);
    PrintList(out, "word", s.msWord);
    PrintList(out, "paths", s.newPaths);
    out << "active <" << s.activeCustom << "> options " << s.options << " dialog " << s.dialogX << ","
        << s.dialogY << " user [";
    for (const auto& [name, value] : s.userValues) out << "<" << name << "=" << value << ">";
    return out << "]";
}

std::vector<std::string> TrickyUserNames() {
    return {"Plain", "with space", "Caf\xE9", "Empty"};
}

void FillTrickyValues(TOrvelConfig& config) {
    config.MainDictionaries().Assign(
        {" padded.ovm ", "\"quoted\".ovm", "semi;colon=eq.ovm", "[bracket].ovm"});
    config.CustomDictionaries().Assign({"'single'.ovu", "Caf\xE9.ovu"});
    config.MSWordDictionaries().Assign({"C:\\Proof\\CUSTOM.DIC"});
    config.SetActiveCustom("Na\xEFve.ovu");
    config.SetOptions(TSpellOptions{soLiveSpelling, soHTML, soQuoted, soDUalCaps, soUser4});
    config.SetDialogX(-40);
    config.SetDialogY(1234567);
    config.NewPaths().Add("D:\\Dictionaries");
    config.NewPaths().Add("C:\\More dictionaries");
    config.SetUserValue("Plain", "value");
    config.SetUserValue("with space", "  leading and trailing  ");
    config.SetUserValue("Caf\xE9", "\"x\"");
    config.SetUserValue("Empty", "");
}

namespace {

class IniFileBackend : public ConfigBackend {
public:
    explicit IniFileBackend(const TempFolder& folder) : fileName_(folder.Path("settings.ini")) {}

    void Configure(TConfigOwner& owner) override {
        owner.SetConfigStorage(csFile);
        owner.SetConfigFilename(fileName_);
    }
    std::optional<std::string> Raw(const std::string& key) override {
        TIniFile ini;
        ini.LoadFromFile(fileName_);
        return ini.Value(kTestConfigID, key);
    }
    void SetRaw(const std::string& key, const std::string& value) override {
        TIniFile ini;
        ini.LoadFromFile(fileName_);
        ASSERT_TRUE(ini.WriteString(kTestConfigID, key, value));
        ASSERT_TRUE(ini.SaveToFile(fileName_));
    }

protected:
    void SetFileName(std::string fileName) { fileName_ = std::move(fileName); }

private:
    std::string fileName_;
};

class MapBackend : public ConfigBackend {
public:
    void Configure(TConfigOwner& owner) override {
        owner.SetConfigStorage(csCallback);
        owner.OnConfigReadString = [this](TConfigOwner&, const std::string& id, const std::string& key,
                                          const std::string&, std::string& value) {
            const auto found = values_.find(id + "/" + key);
            if (found != values_.end()) value = found->second;
        };
        owner.OnConfigWriteString = [this](TConfigOwner&, const std::string& id, const std::string& key,
                                           const std::string& value) { values_[id + "/" + key] = value; };
    }
    std::optional<std::string> Raw(const std::string& key) override {
        const auto found = values_.find(std::string(kTestConfigID) + "/" + key);
        if (found == values_.end()) return std::nullopt;
        return found->second;
    }
    void SetRaw(const std::string& key, const std::string& value) override {
        values_[std::string(kTestConfigID) + "/" + key] = value;
    }

private:
    std::map<std::string, std::string> values_;
};

#ifndef _WIN32
// The registry as the native build keeps it: an ini file below XDG_CONFIG_HOME.
class XdgBackend : public IniFileBackend {
public:
    explicit XdgBackend(const TempFolder& folder)
        : IniFileBackend(folder), configHome_("XDG_CONFIG_HOME", folder.MakeFolder("config")) {
        SetFileName(RegistryIniFileName(ExpandMacros(kKey), folder.Path("config")));
    }

    void Configure(TConfigOwner& owner) override {
        owner.SetConfigStorage(csRegistry);
        owner.SetConfigRegistryKey(kKey);
    }

private:
    static constexpr const char* kKey = "Software\\QuillonTest\\%AppName%";
    os::test::ScopedEnvironment configHome_;
};
#endif

}  // namespace

BackendKind IniBackend() {
    return {"IniFile", [](const TempFolder& folder) { return std::make_unique<IniFileBackend>(folder); }};
}

BackendKind CallbackBackend() {
    return {"Callback", [](const TempFolder&) { return std::make_unique<MapBackend>(); }};
}

#ifdef _WIN32
RegistryKeyBackend::RegistryKeyBackend()
    : key_("Software\\QuillonConfigTest-" + std::to_string(std::random_device()())) {}

RegistryKeyBackend::~RegistryKeyBackend() {
    RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, key_.c_str());
}

void RegistryKeyBackend::Configure(TConfigOwner& owner) {
    owner.SetConfigStorage(csRegistry);
    owner.SetConfigRegistryKey(key_);
}

std::optional<std::string> RegistryKeyBackend::Raw(const std::string& key) {
    return win::TRegistryKey::OpenForReading(win::TRegistryRoot::CurrentUser, Path()).ReadString(key);
}

void RegistryKeyBackend::SetRaw(const std::string& key, const std::string& value) {
    ASSERT_TRUE(win::TRegistryKey::Create(win::TRegistryRoot::CurrentUser, Path()).WriteString(key, value));
}

BackendKind RegistryBackend() {
    return {"Registry", [](const TempFolder&) { return std::make_unique<RegistryKeyBackend>(); }};
}
#else
BackendKind XdgRegistryBackend() {
    return {"XdgRegistry", [](const TempFolder& folder) { return std::make_unique<XdgBackend>(folder); }};
}
#endif

}  // namespace quillon::test
