// Where an engine configuration keeps its keys: the storage kinds and one opened store.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace quillon {

enum TConfigStorage { csFile, csRegistry, csCallback, csNone };

// The keys of one configuration identifier, opened for one load or one save.
class TConfigStore {
public:
    virtual ~TConfigStore() = default;
    virtual std::string ReadString(const std::string& key, const std::string& defaultValue) = 0;
    // False when the value was not stored; the save then writes nothing more.
    virtual bool WriteString(const std::string& key, const std::string& value) = 0;
    // Ends a save; false when what was written could not be kept.
    virtual bool Commit() { return true; }
};

// csFile: the section named `id` of the ini file, whose folder chain is created first.
// The writes of a save reach the file together, at Commit, or not at all.
std::unique_ptr<TConfigStore> OpenIniStore(const std::string& fileName, const std::string& id);

// csCallback: each read starts from its default and asks `read`; each write is told to `write`.
using TConfigReadFunction =
    std::function<void(const std::string& key, const std::string& defaultValue, std::string& value)>;
using TConfigWriteFunction = std::function<void(const std::string& key, const std::string& value)>;
std::unique_ptr<TConfigStore> OpenCallbackStore(TConfigReadFunction read, TConfigWriteFunction write);

// csNone: every read gives its default; writes go nowhere.
std::unique_ptr<TConfigStore> OpenNoStore();

}  // namespace quillon
