// The per-user configuration of one session component: dictionaries in use, the option
// set, the spell dialog's position, extra dictionary folders and free user values. It
// loads lazily from the owner's storage, takes the owner's defaults on first use, and is
// written back when it changed.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/config_owner.h"
#include "engine/config_storage.h"
#include "engine/name_list.h"
#include "engine/spell_options.h"

namespace quillon {

class TOrvelConfig {
public:
    TOrvelConfig(const TOrvelConfig&) = delete;
    TOrvelConfig& operator=(const TOrvelConfig&) = delete;

    // The virtual operations, in slot order. Every getter, and every setter too (so that
    // a value set before the first load is not overwritten by it), loads first.
    virtual void SetActiveCustom(const std::string& name);
    // true loads; false saves and marks the configuration unloaded.
    virtual void SetLoaded(bool on);
    virtual void SetOptions(TSpellOptions options);
    virtual void SetDialogX(int x);
    virtual void SetDialogY(int y);
    // The lists tell every change to DictionariesChanged.
    virtual TNameList& MainDictionaries();
    virtual TNameList& CustomDictionaries();
    virtual TNameList& MSWordDictionaries();
    // The active custom dictionary's name, expanded with the owner's ExpandVars.
    virtual std::string ActiveCustom();
    virtual TSpellOptions Options();
    virtual int DialogX();
    virtual int DialogY();
    // Extra dictionary folders, sorted, each once.
    virtual TNameList& NewPaths();
    virtual void DictionariesChanged();
    // Once loaded: marks the configuration modified and tells the owner.
    virtual void Changed(bool dictionaries);

protected:
    // Reads or writes the list as the key name + "_count" and name + "_" + index.
    virtual void TransferList(const std::string& name, TNameList& list, bool reading);
    // Through the store opened for the running load or save; the default otherwise.
    virtual std::string ReadValue(const std::string& key, const std::string& defaultValue);
    // After a failing write, the rest of that save is skipped.
    virtual void WriteValue(const std::string& key, const std::string& value);

public:
    virtual void Load();
    virtual void EnsureLoaded();
    // Created unloaded, for the owner that outlives it.
    explicit TOrvelConfig(TConfigOwner& owner);
    virtual std::string GetUserValue(const std::string& name);
    virtual void SetUserValue(const std::string& name, const std::string& value);
    // The next load is a first use, and it happens now when the configuration is loaded.
    virtual void ResetToDefaults();
    virtual void Reload();
    // Writes a loaded, modified configuration. When the storage does not take it, it
    // stays modified, so that the next save tries again.
    virtual void Save();

    // Saves a modified configuration.
    virtual ~TOrvelConfig();

    bool Loaded() const { return loaded_; }
    bool Modified() const { return modified_; }
    // As taken at the last load, expanded.
    TConfigStorage Storage() const { return storage_; }
    const std::string& ConfigID() const { return configID_; }
    const std::string& FileName() const { return fileName_; }
    const std::string& RegistryKey() const { return registryKey_; }

private:
    struct UserValue {
        std::string name;
        std::string value;
    };

    std::unique_ptr<TConfigStore> OpenStore(bool forWriting);
    void TakeDefaults();
    void ReadStored();
    void WriteAll();
    void StoreUserValue(const std::string& name, const std::string& value);
    void WireList(TNameList& list);

    TConfigOwner& owner_;
    TConfigStorage storage_ = csNone;
    std::string configID_;
    std::string fileName_;
    std::string registryKey_;

    TNameList main_;
    TNameList custom_;
    TNameList msWord_;
    std::string activeCustom_;
    TSpellOptions options_;
    int dialogX_ = -1;
    int dialogY_ = -1;
    TNameList newPaths_{TNameList::TOrder::SortedUnique};
    std::vector<UserValue> userValues_;

    bool loaded_ = false;
    bool modified_ = false;
    bool resetAtNextLoad_ = false;
    bool loading_ = false;
    bool saving_ = false;
    // Changes made by the configuration itself, told once by their operation.
    bool quiet_ = false;

    std::unique_ptr<TConfigStore> store_;  // open during a load or a save
    bool writeFailed_ = false;
};

}  // namespace quillon
