// Natively there is no registry: its keys live in ini files under the XDG config folder.
#include "engine/registry_storage.h"

#include "platform/os/os.h"

namespace quillon {

std::string RegistryIniFileName(const std::string& key, const std::string& configFolder) {
    std::vector<std::string> parts;
    std::string part;
    for (std::size_t i = 0; i <= key.size(); ++i) {
        if (i < key.size() && key[i] != '\\' && key[i] != '/') {
            part += key[i];
            continue;
        }
        if (!part.empty() && part != "." && part != "..") parts.push_back(part);
        part.clear();
    }
    if (parts.size() > 1 && os::AnsiLowerCase(parts.front()) == "software") parts.erase(parts.begin());
    if (configFolder.empty() || parts.empty()) return {};
    std::string fileName = configFolder;
    for (const std::string& p : parts) fileName += '/' + p;
    return fileName + ".ini";
}

// An unknown place (no config folder) gives a store whose reads give their defaults and
// whose saves fail.
std::unique_ptr<TConfigStore> OpenRegistryStore(const std::string& key, const std::string& id, bool) {
    return OpenIniStore(RegistryIniFileName(key, os::SpecialFolderPath(os::SpecialFolder::AppData)), id);
}

std::vector<std::string> ReadNumberedRegistryValues(const std::string&) {
    return {};
}

}  // namespace quillon
