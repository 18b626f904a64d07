#include "engine/orvel_config.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <utility>

#include "engine/path_macros.h"
#include "engine/registry_storage.h"
#include "platform/os/os.h"

namespace quillon {
namespace {

constexpr const char* kFirstRun = "_FirstRun";
constexpr const char* kMain = "_Main";
constexpr const char* kCustom = "_Custom";
constexpr const char* kMSWordCustom = "_MSWordCustom";
constexpr const char* kActiveCustom = "_ActiveCustom";
constexpr const char* kDialogX = "_DialogX";
constexpr const char* kDialogY = "_DialogY";
constexpr const char* kNewPaths = "_NewPaths";
constexpr const char* kUserData = "_UserData";
constexpr const char* kUserPrefix = "User_";
constexpr const char* kOn = "+";
constexpr const char* kOff = "-";

// In the order they are read and written.
constexpr struct {
    const char* key;
    TSpellOption option;
} kOptionKeys[] = {
    {"_soUpcase", soUpcase},
    {"_soNumbers", soNumbers},
    {"_soHTML", soHTML},
    {"_soInternet", soInternet},
    {"_soQuoted", soQuoted},
    {"_soAbbreviations", soAbbreviations},
    {"_soPrimaryOnly", soPrimaryOnly},
    {"_soRepeated", soRepeated},
    {"_soDUalCaps", soDUalCaps},
    {"_soLiveSpelling", soLiveSpelling},
    {"_soLiveCorrect", soLiveCorrect},
    {"_soUser1", soUser1},
    {"_soUser2", soUser2},
    {"_soUser3", soUser3},
    {"_soUser4", soUser4},
};

// A damaged count cannot make a load read for ever.
constexpr int kMaxListEntries = 65536;

// Decimal, optionally signed and surrounded by blanks; anything else is the fallback.
int DecimalOr(std::string_view text, int fallback) {
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) return fallback;
    text = text.substr(start, text.find_last_not_of(" \t") - start + 1);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : fallback;
}

// User value names are keys of the storage, which ignores case.
bool SameUserName(std::string_view a, std::string_view b) {
    return os::AnsiLowerCase(a) == os::AnsiLowerCase(b);
}

// Sets a flag for the length of a scope.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    ~TFlagScope() { flag_ = before_; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& flag_;
    bool before_;
};

// Closes the store of a load or save however it ends.
class TStoreScope {
public:
    TStoreScope(std::unique_ptr<TConfigStore>& slot, std::unique_ptr<TConfigStore> store) : slot_(slot) {
        slot_ = std::move(store);
    }
    ~TStoreScope() { slot_.reset(); }
    TStoreScope(const TStoreScope&) = delete;
    TStoreScope& operator=(const TStoreScope&) = delete;

private:
    std::unique_ptr<TConfigStore>& slot_;
};

}  // namespace

TOrvelConfig::TOrvelConfig(TConfigOwner& owner) : owner_(owner) {
    for (TNameList* list : {&main_, &custom_, &msWord_, &newPaths_}) WireList(*list);
}

TOrvelConfig::~TOrvelConfig() {
    try {
        Save();
    } catch (...) {
        // The engine reports nothing, and a destructor must not throw.
    }
}

void TOrvelConfig::WireList(TNameList& list) {
    list.OnChange = [this](TNameList&) {
        if (!quiet_) DictionariesChanged();
    };
}

void TOrvelConfig::SetActiveCustom(const std::string& name) {
    EnsureLoaded();
    if (name == activeCustom_) return;
    activeCustom_ = name;
    if (!name.empty() && !custom_.Contains(name)) {
        const TFlagScope quiet(quiet_);
        custom_.Add(name);
    }
    Changed(true);
}

void TOrvelConfig::SetLoaded(bool on) {
    if (on == loaded_) return;
    if (on) {
        Load();
    } else {
        Save();
        loaded_ = false;
    }
}

void TOrvelConfig::SetOptions(TSpellOptions options) {
    EnsureLoaded();
    if (options == options_) return;
    options_ = options;
    Changed(false);
}

void TOrvelConfig::SetDialogX(int x) {
    EnsureLoaded();
    if (x == dialogX_) return;
    dialogX_ = x;
    Changed(false);
}

void TOrvelConfig::SetDialogY(int y) {
    EnsureLoaded();
    if (y == dialogY_) return;
    dialogY_ = y;
    Changed(false);
}

TNameList& TOrvelConfig::MainDictionaries() {
    EnsureLoaded();
    return main_;
}

TNameList& TOrvelConfig::CustomDictionaries() {
    EnsureLoaded();
    return custom_;
}

TNameList& TOrvelConfig::MSWordDictionaries() {
    EnsureLoaded();
    return msWord_;
}

std::string TOrvelConfig::ActiveCustom() {
    EnsureLoaded();
    return owner_.ExpandVars(activeCustom_);
}

TSpellOptions TOrvelConfig::Options() {
    EnsureLoaded();
    return options_;
}

int TOrvelConfig::DialogX() {
    EnsureLoaded();
    return dialogX_;
}

int TOrvelConfig::DialogY() {
    EnsureLoaded();
    return dialogY_;
}

TNameList& TOrvelConfig::NewPaths() {
    EnsureLoaded();
    return newPaths_;
}

void TOrvelConfig::DictionariesChanged() {
    Changed(true);
}

void TOrvelConfig::Changed(bool dictionaries) {
    if (!loaded_) return;
    modified_ = true;
    owner_.ConfigurationChanged(dictionaries);
}

void TOrvelConfig::TransferList(const std::string& name, TNameList& list, bool reading) {
    if (!reading) {
        WriteValue(name + "_count", std::to_string(list.Count()));
        for (std::size_t i = 0; i < list.Count(); ++i) WriteValue(name + "_" + std::to_string(i), list[i]);
        return;
    }
    const int count = std::clamp(DecimalOr(ReadValue(name + "_count", kOff), 0), 0, kMaxListEntries);
    std::vector<std::string> entries;
    for (int i = 0; i < count; ++i) {
        std::string entry = ReadValue(name + "_" + std::to_string(i), "");
        if (!entry.empty()) entries.push_back(std::move(entry));
    }
    list.Assign(std::move(entries));
}

std::string TOrvelConfig::ReadValue(const std::string& key, const std::string& defaultValue) {
    return store_ ? store_->ReadString(key, defaultValue) : defaultValue;
}

void TOrvelConfig::WriteValue(const std::string& key, const std::string& value) {
    if (store_ && !writeFailed_ && !store_->WriteString(key, value)) writeFailed_ = true;
}

std::unique_ptr<TConfigStore> TOrvelConfig::OpenStore(bool forWriting) {
    switch (storage_) {
        case csFile:
            return OpenIniStore(fileName_, configID_);
        case csRegistry:
            return OpenRegistryStore(registryKey_, configID_, forWriting);
        case csCallback:
            return OpenCallbackStore(
                [this](const std::string& key, const std::string& defaultValue, std::string& value) {
                    if (owner_.OnConfigReadString)
                        owner_.OnConfigReadString(owner_, configID_, key, defaultValue, value);
                },
                [this](const std::string& key, const std::string& value) {
                    if (owner_.OnConfigWriteString) owner_.OnConfigWriteString(owner_, configID_, key, value);
                });
        case csNone:
            break;
    }
    return OpenNoStore();
}

void TOrvelConfig::Load() {
    if (loading_ || saving_) return;
    const TFlagScope loading(loading_);
    loaded_ = false;
    storage_ = owner_.ConfigStorage();
    configID_ = owner_.ExpandVars(owner_.ConfigID());
    fileName_ = storage_ == csFile ? owner_.ExpandVars(owner_.ConfigFilename()) : std::string();
    registryKey_ = storage_ == csRegistry ? owner_.ExpandVars(owner_.ConfigRegistryKey()) : std::string();
    const TStoreScope open(store_, OpenStore(false));

    const bool firstUse = ReadValue(kFirstRun, kOff) == kOff || resetAtNextLoad_;
    resetAtNextLoad_ = false;
    // Cleared so that taking the name again also puts it back in the custom list.
    activeCustom_.clear();
    if (firstUse)
        TakeDefaults();
    else
        ReadStored();

    loaded_ = true;
    modified_ = false;
    if (owner_.OnConfigLoaded) owner_.OnConfigLoaded(owner_);
    Changed(true);
}

void TOrvelConfig::TakeDefaults() {
    main_.Assign(owner_.ConfigDefaultMain());
    custom_.Assign(owner_.ConfigDefaultCustom());
    msWord_.Assign(owner_.ConfigUseMSWordCustom() && owner_.ConfigDefaultUseMSWordCustom()
                       ? owner_.MSWordCustomDictionaries()
                       : std::vector<std::string>());
    options_ = owner_.ConfigDefaultOptions();
    dialogX_ = -1;
    dialogY_ = -1;
    newPaths_.Clear();
    SetActiveCustom(
        ExpandNameMacros(ReplaceFirst(owner_.ConfigDefaultActiveCustom(), "%ConfigID%", configID_),
                         TMacroValues::FromSystem()));
}

void TOrvelConfig::ReadStored() {
    TransferList(kMain, main_, true);
    TransferList(kCustom, custom_, true);
    TransferList(kMSWordCustom, msWord_, true);
    SetActiveCustom(ReadValue(kActiveCustom, ""));
    TSpellOptions options;
    for (const auto& [key, option] : kOptionKeys) {
        if (ReadValue(key, kOff) == kOn) options.Include(option);
    }
    options_ = options;
    dialogX_ = DecimalOr(ReadValue(kDialogX, "-1"), -1);
    dialogY_ = DecimalOr(ReadValue(kDialogY, "-1"), -1);
    TransferList(kNewPaths, newPaths_, true);
    TNameList names;
    TransferList(kUserData, names, true);
    userValues_.clear();
    for (const std::string& name : names) StoreUserValue(name, ReadValue(kUserPrefix + name, ""));
}

void TOrvelConfig::EnsureLoaded() {
    if (!loaded_) Load();
}

std::string TOrvelConfig::GetUserValue(const std::string& name) {
    EnsureLoaded();
    const auto found = std::find_if(userValues_.begin(), userValues_.end(), [&name](const UserValue& entry) {
        return SameUserName(entry.name, name);
    });
    return found == userValues_.end() ? std::string() : found->value;
}

void TOrvelConfig::StoreUserValue(const std::string& name, const std::string& value) {
    const auto found = std::find_if(userValues_.begin(), userValues_.end(), [&name](const UserValue& entry) {
        return SameUserName(entry.name, name);
    });
    if (found == userValues_.end())
        userValues_.push_back({name, value});
    else
        found->value = value;
}

void TOrvelConfig::SetUserValue(const std::string& name, const std::string& value) {
    EnsureLoaded();
    StoreUserValue(name, value);
    modified_ = true;
    Changed(false);
}

void TOrvelConfig::ResetToDefaults() {
    resetAtNextLoad_ = true;
    Reload();
}

void TOrvelConfig::Reload() {
    if (!loaded_) return;
    Save();
    Load();
}

void TOrvelConfig::Save() {
    if (!modified_ || !loaded_ || loading_ || saving_) return;
    const TFlagScope saving(saving_);
    bool kept = true;
    if (storage_ != csNone) {
        const TStoreScope open(store_, OpenStore(true));
        writeFailed_ = false;
        WriteAll();
        kept = !writeFailed_ && store_->Commit();
    }
    if (!kept) return;
    modified_ = false;
    if (owner_.OnConfigSaved) owner_.OnConfigSaved(owner_);
}

void TOrvelConfig::WriteAll() {
    WriteValue(kFirstRun, kOn);
    TransferList(kMain, main_, false);
    TransferList(kCustom, custom_, false);
    TransferList(kMSWordCustom, msWord_, false);
    WriteValue(kActiveCustom, activeCustom_);
    for (const auto& [key, option] : kOptionKeys) WriteValue(key, options_.Has(option) ? kOn : kOff);
    WriteValue(kDialogX, std::to_string(dialogX_));
    WriteValue(kDialogY, std::to_string(dialogY_));
    TransferList(kNewPaths, newPaths_, false);
    TNameList names;
    for (const UserValue& entry : userValues_) names.Add(entry.name);
    TransferList(kUserData, names, false);
    // Empty values too: otherwise a value cleared since the last save would come back.
    for (const UserValue& entry : userValues_) WriteValue(kUserPrefix + entry.name, entry.value);
}

}  // namespace quillon
