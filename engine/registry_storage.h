// The registry as the engine uses it: the csRegistry store and the numbered string
// values of the Word custom-dictionary list. On Windows that is the registry itself;
// natively, where there is none, the store is an ini file (see RegistryIniFileName).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/config_storage.h"

namespace quillon {

// The values of the key HKEY_CURRENT_USER\key\id (id empty: the key itself). Reading
// opens an existing key only; writing creates it. Natively: section `id` of the file
// RegistryIniFileName(key, the XDG config folder).
std::unique_ptr<TConfigStore> OpenRegistryStore(const std::string& key, const std::string& id,
                                                bool forWriting);

// The string values "1", "2", ... of the key below HKEY_CURRENT_USER, then those of the
// same key below HKEY_LOCAL_MACHINE, each run ending at its first empty or missing value.
// Natively none.
std::vector<std::string> ReadNumberedRegistryValues(const std::string& key);

#ifndef _WIN32
// The ini file that stands for a registry key below HKEY_CURRENT_USER: the key's parts
// ("\" or "/" between them; empty, "." and ".." parts dropped) less a leading "Software"
// as folders below the config folder, the last one with ".ini":
// "Software\Tessel\Brightwick" -> configFolder + "/Tessel/Brightwick.ini". Empty when the
// config folder is unknown or no part is left.
std::string RegistryIniFileName(const std::string& key, const std::string& configFolder);
#endif

}  // namespace quillon
