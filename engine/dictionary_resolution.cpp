#include "engine/dictionary_resolution.h"

#include <cstdio>
#include <string_view>

#include "engine/path_macros.h"
#include "engine/registry_storage.h"
#include "platform/os/ansi_codepage.h"
#include "platform/os/os.h"

namespace quillon {
namespace {

// Folders that are empty after trimming would turn a name into one at the root.
bool IsUsableFolder(const std::string& folder) {
    return folder.find_first_not_of(" \\/") != std::string::npos;
}

// Far beyond any word list a person keeps; a bigger file is not read.
constexpr std::size_t kLongestWordFile = 64u << 20;

bool ReadWholeFile(const std::string& fileName, std::string& bytes) {
    if (!os::FileExists(fileName)) return false;
    std::FILE* file = std::fopen(fileName.c_str(), "rb");
    if (!file) return false;
    char buffer[65536];
    std::size_t got = 0;
    while (bytes.size() <= kLongestWordFile && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    const bool ok = std::ferror(file) == 0 && bytes.size() <= kLongestWordFile;
    std::fclose(file);
    return ok;
}

std::string InAnsi(const std::string& bytes) {
    constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
    constexpr std::string_view kUtf16Bom = "\xFF\xFE";
    if (bytes.starts_with(kUtf8Bom))
        return os::WideToAnsi(os::Utf8ToUtf16(std::string_view(bytes).substr(kUtf8Bom.size())));
    if (!bytes.starts_with(kUtf16Bom)) return bytes;
    std::u16string wide;
    for (std::size_t i = kUtf16Bom.size(); i + 1 < bytes.size(); i += 2)
        wide += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                      static_cast<unsigned char>(bytes[i + 1]) << 8);
    return os::WideToAnsi(wide);
}

}  // namespace

std::vector<std::string> DictionaryFolders(const TNameList& configDictionaryDir, const TNameList& newPaths) {
    std::vector<std::string> folders = configDictionaryDir.Items();
    folders.insert(folders.end(), newPaths.begin(), newPaths.end());
    return folders;
}

std::unique_ptr<TMainDictionary> OpenMainDictionary(const TConfigOwner& owner,
                                                    const std::vector<std::string>& folders,
                                                    const std::string& name) {
    if (name.empty()) return nullptr;
    auto dictionary = std::make_unique<TMainDictionary>();
    if (HasFolder(name)) {
        const std::string fileName = owner.ExpandVars(name);
        dictionary->Open(fileName);
        return dictionary->FileName() == fileName ? std::move(dictionary) : nullptr;
    }
    for (const std::string& folder : folders) {
        if (!IsUsableFolder(folder)) continue;
        const std::string fileName = owner.ExpandVars(InFolder(folder, name));
        dictionary->Open(fileName);
        if (dictionary->FileName() == fileName) return dictionary;
    }
    return nullptr;
}

std::string CustomDictionaryFileName(const TConfigOwner& owner, const std::vector<std::string>& folders,
                                     const std::string& name) {
    if (HasFolder(name)) {
        const std::string fileName = owner.ExpandVars(name);
        CreateFolderChainOf(fileName);
        return fileName;
    }
    std::string first;
    for (const std::string& folder : folders) {
        if (!IsUsableFolder(folder)) continue;
        CreateFolderChain(owner.ExpandVars(folder));
        const std::string fileName = owner.ExpandVars(InFolder(folder, name));
        if (os::FileExists(fileName)) return fileName;
        if (first.empty()) first = fileName;
    }
    return first;
}

std::unique_ptr<TCustomDictionary> OpenCustomDictionary(const TConfigOwner& owner,
                                                        const std::vector<std::string>& folders,
                                                        const std::string& name,
                                                        std::unique_ptr<TCustomDictionary> dictionary,
                                                        const TSaveOpenCopies& saveOpenCopies) {
    if (name.empty()) return nullptr;
    const std::string fileName = CustomDictionaryFileName(owner, folders, name);
    if (fileName.empty()) return nullptr;
    if (!dictionary) dictionary = std::make_unique<TCustomDictionary>();
    if (saveOpenCopies) saveOpenCopies(fileName);
    dictionary->SetFileName(fileName);
    return dictionary->FileName() == fileName ? std::move(dictionary) : nullptr;
}

std::unique_ptr<TCustomDictionary> LoadWordCustomDictionary(const std::string& fileName) {
    std::string bytes;
    if (!ReadWholeFile(fileName, bytes)) return nullptr;
    const std::string text = InAnsi(bytes);
    auto dictionary = std::make_unique<TCustomDictionary>();
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        if (end > start) dictionary->AddWord(std::string_view(text).substr(start, end - start));
        start = end + 1;
    }
    dictionary->SetModified(false);  // read only: a Word dictionary is never written
    return dictionary;
}

std::vector<std::string> DiscoverWordCustomDictionaries(const std::string& key) {
    const std::string proofFolder =
        os::SpecialFolderPath(os::SpecialFolder::AppData) + "\\Microsoft\\Proof\\";
    TNameList found;
    for (const std::string& value : ReadNumberedRegistryValues(key)) {
        const std::string fileName = HasFolder(value) ? value : proofFolder + value;
        if (os::FileExists(fileName) && !found.Contains(fileName)) found.Add(fileName);
    }
    return found.Items();
}

}  // namespace quillon
