#include "engine/config_storage.h"

#include <utility>

#include "engine/ini_file.h"
#include "engine/path_macros.h"

namespace quillon {
namespace {

class TIniStore : public TConfigStore {
public:
    TIniStore(std::string fileName, std::string id) : fileName_(std::move(fileName)), id_(std::move(id)) {
        CreateFolderChainOf(fileName_);
        ini_.LoadFromFile(fileName_);
    }

    std::string ReadString(const std::string& key, const std::string& defaultValue) override {
        return ini_.ReadString(id_, key, defaultValue);
    }
    bool WriteString(const std::string& key, const std::string& value) override {
        return ini_.WriteString(id_, key, value);
    }
    bool Commit() override { return ini_.SaveToFile(fileName_); }

private:
    std::string fileName_;
    std::string id_;
    TIniFile ini_;
};

class TCallbackStore : public TConfigStore {
public:
    TCallbackStore(TConfigReadFunction read, TConfigWriteFunction write)
        : read_(std::move(read)), write_(std::move(write)) {}

    std::string ReadString(const std::string& key, const std::string& defaultValue) override {
        std::string value = defaultValue;
        if (read_) read_(key, defaultValue, value);
        return value;
    }
    bool WriteString(const std::string& key, const std::string& value) override {
        if (write_) write_(key, value);
        return true;
    }

private:
    TConfigReadFunction read_;
    TConfigWriteFunction write_;
};

class TNoStore : public TConfigStore {
public:
    std::string ReadString(const std::string&, const std::string& defaultValue) override {
        return defaultValue;
    }
    bool WriteString(const std::string&, const std::string&) override { return true; }
};

}  // namespace

std::unique_ptr<TConfigStore> OpenIniStore(const std::string& fileName, const std::string& id) {
    return std::make_unique<TIniStore>(fileName, id);
}

std::unique_ptr<TConfigStore> OpenCallbackStore(TConfigReadFunction read, TConfigWriteFunction write) {
    return std::make_unique<TCallbackStore>(std::move(read), std::move(write));
}

std::unique_ptr<TConfigStore> OpenNoStore() {
    return std::make_unique<TNoStore>();
}

}  // namespace quillon
