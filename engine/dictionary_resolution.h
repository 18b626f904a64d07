// How a dictionary name becomes a file: the dictionary folders, opening main dictionaries
// by name, and the discovery of Microsoft Word custom dictionaries.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/config_owner.h"
#include "engine/custom_dictionary.h"
#include "engine/main_dictionary.h"
#include "engine/name_list.h"

namespace quillon {

inline constexpr const char* kWordCustomDictionariesKey =
    "Software\\Microsoft\\Shared Tools\\Proofing Tools\\Custom Dictionaries";

// The folders a dictionary name without a folder is looked for in, in order: the
// component's dictionary folders, then the configuration's added ones.
std::vector<std::string> DictionaryFolders(const TNameList& configDictionaryDir, const TNameList& newPaths);

// A name without a folder opens from the first folder where it opens as a dictionary
// (each file name InFolder(folder, name) expanded with the owner's ExpandVars); a name
// with a folder opens from ExpandVars(name). Nothing when it opens nowhere.
std::unique_ptr<TMainDictionary> OpenMainDictionary(const TConfigOwner& owner,
                                                    const std::vector<std::string>& folders,
                                                    const std::string& name);

// The file a custom dictionary of that name lives in, every folder chain on the way
// created: a name without a folder in the first folder that has the file (each
// ExpandVars(InFolder(folder, name))), or in the first folder when none has it; a name
// with a folder is ExpandVars(name). Empty when there is no folder to put it in.
std::string CustomDictionaryFileName(const TConfigOwner& owner, const std::vector<std::string>& folders,
                                     const std::string& name);

// Opens `dictionary` (a new TCustomDictionary when none is given) on the file of
// CustomDictionaryFileName, after `saveOpenCopies` was told that file name, so that the
// session's dictionaries open on it are saved first. Nothing when it does not open.
using TSaveOpenCopies = std::function<void(const std::string& fileName)>;
std::unique_ptr<TCustomDictionary> OpenCustomDictionary(
    const TConfigOwner& owner, const std::vector<std::string>& folders, const std::string& name,
    std::unique_ptr<TCustomDictionary> dictionary = nullptr, const TSaveOpenCopies& saveOpenCopies = nullptr);

// A memory-only custom dictionary with every non-empty line of a Word custom dictionary
// (ANSI text, or UTF-16 or UTF-8 text after its byte-order mark, converted to the ANSI
// code page) as an added word. Nothing when the file cannot be read.
std::unique_ptr<TCustomDictionary> LoadWordCustomDictionary(const std::string& fileName);

// The files named by the numbered values of the key below HKEY_CURRENT_USER and then
// HKEY_LOCAL_MACHINE (ReadNumberedRegistryValues); a value without a folder names a file
// in the application-data folder's "Microsoft\Proof". Each existing file once, in order.
std::vector<std::string> DiscoverWordCustomDictionaries(const std::string& key = kWordCustomDictionariesKey);

}  // namespace quillon
