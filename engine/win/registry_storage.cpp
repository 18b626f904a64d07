// The registry parts of the engine on Windows.
#include "engine/registry_storage.h"

#include "platform/win/registry.h"

namespace quillon {
namespace {

using win::TRegistryKey;
using win::TRegistryRoot;

class TRegistryStore : public TConfigStore {
public:
    explicit TRegistryStore(TRegistryKey key) : key_(std::move(key)) {}

    std::string ReadString(const std::string& key, const std::string& defaultValue) override {
        return key_.ReadString(key).value_or(defaultValue);
    }
    bool WriteString(const std::string& key, const std::string& value) override {
        return key_.WriteString(key, value);
    }

private:
    TRegistryKey key_;
};

std::string WithoutOuterBackslashes(const std::string& text) {
    const std::size_t start = text.find_first_not_of('\\');
    if (start == std::string::npos) return {};
    return text.substr(start, text.find_last_not_of('\\') - start + 1);
}

// A path of key names joined by single backslashes; RegOpenKeyEx refuses a leading one.
std::string KeyPath(const std::string& key, const std::string& id) {
    const std::string head = WithoutOuterBackslashes(key);
    const std::string tail = WithoutOuterBackslashes(id);
    if (head.empty() || tail.empty()) return head + tail;
    return head + '\\' + tail;
}

void AppendNumberedValues(TRegistryRoot root, const std::string& key, std::vector<std::string>& out) {
    const TRegistryKey opened = TRegistryKey::OpenForReading(root, key);
    for (int number = 1; opened.IsOpen(); ++number) {
        const auto value = opened.ReadString(std::to_string(number));
        if (!value || value->empty()) break;
        out.push_back(*value);
    }
}

}  // namespace

std::unique_ptr<TConfigStore> OpenRegistryStore(const std::string& key, const std::string& id,
                                                bool forWriting) {
    const std::string path = KeyPath(key, id);
    return std::make_unique<TRegistryStore>(
        forWriting ? TRegistryKey::Create(TRegistryRoot::CurrentUser, path)
                   : TRegistryKey::OpenForReading(TRegistryRoot::CurrentUser, path));
}

std::vector<std::string> ReadNumberedRegistryValues(const std::string& key) {
    std::vector<std::string> values;
    AppendNumberedValues(TRegistryRoot::CurrentUser, key, values);
    AppendNumberedValues(TRegistryRoot::LocalMachine, key, values);
    return values;
}

}  // namespace quillon
