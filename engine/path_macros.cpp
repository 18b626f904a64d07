#include "engine/path_macros.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/os/os.h"

namespace quillon {
namespace {

constexpr std::string_view kAppName = "%AppName%";
constexpr std::string_view kUserName = "%UserName%";
constexpr std::string_view kAppDir = "%AppDir%";
constexpr std::string_view kAppData = "%AppData%";
constexpr std::string_view kMyDocuments = "%MyDocuments%";
constexpr std::string_view kConfigID = "%ConfigID%";
constexpr std::string_view kDefaultUserName = "default";

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// Names are stored with "\"; natively the folders are "/"-separated.
std::string InPlatformForm(std::string_view text) {
    std::string out(text);
#ifndef _WIN32
    std::replace(out.begin(), out.end(), '\\', '/');
#endif
    return out;
}

std::string FileNameKey(std::string_view name) {
#ifdef _WIN32
    return os::AnsiLowerCase(name);
#else
    return std::string(name);
#endif
}

}  // namespace

TMacroValues TMacroValues::FromSystem() {
    return TMacroValues{
        os::ProgramName(),
        os::UserName(),
        os::ProgramFolder(),
        os::SpecialFolderPath(os::SpecialFolder::AppData),
        os::SpecialFolderPath(os::SpecialFolder::MyDocuments),
    };
}

std::string ReplaceFirst(std::string_view text, std::string_view macro, std::string_view value) {
    std::string out(text);
    const std::size_t at = out.find(macro);
    if (at != std::string::npos) out.replace(at, macro.size(), value);
    return out;
}

std::string ExpandNameMacros(std::string_view text, const TMacroValues& values) {
    std::string out = ReplaceFirst(text, kAppName, values.appName);
    return ReplaceFirst(out, kUserName, values.userName.empty() ? kDefaultUserName : values.userName);
}

std::string ExpandMacros(std::string_view text, const TMacroValues& values) {
    std::string out = ExpandNameMacros(InPlatformForm(text), values);
    out = ReplaceFirst(out, kAppDir, values.appDir);
    out = ReplaceFirst(out, kAppData, values.appData.empty() ? values.appDir : values.appData);
    out = ReplaceFirst(out, kMyDocuments, values.myDocuments);
    return os::ExpandEnvironment(out);
}

std::string ExpandMacros(std::string_view text) {
    return ExpandMacros(text, TMacroValues::FromSystem());
}

std::string ExpandVars(std::string_view text, std::string_view configID) {
    const TMacroValues values = TMacroValues::FromSystem();
    return ReplaceFirst(ExpandMacros(text, values), kConfigID, ExpandMacros(configID, values));
}

bool HasFolder(std::string_view name) {
    return std::any_of(name.begin(), name.end(), IsSeparator);
}

std::string InFolder(std::string_view folder, std::string_view name) {
    while (!folder.empty() && IsSeparator(folder.back())) folder.remove_suffix(1);
    std::string out(folder);
    out += '\\';
    out += name;
    return out;
}

bool SameFileName(std::string_view a, std::string_view b) {
    return CompareFileNames(a, b) == 0;
}

int CompareFileNames(std::string_view a, std::string_view b) {
    return FileNameKey(a).compare(FileNameKey(b));
}

bool CreateFolderChain(const std::string& folder) {
    if (folder.empty() || folder.find('\0') != std::string::npos) return false;
    try {
        const std::filesystem::path path(folder);
        std::error_code ec;
        std::filesystem::create_directories(path, ec);
        return std::filesystem::is_directory(path, ec);
    } catch (const std::exception&) {
        return false;  // a name the platform cannot convert names no folder
    }
}

bool CreateFolderChainOf(const std::string& fileName) {
    try {
        const std::string folder = std::filesystem::path(fileName).parent_path().string();
        return folder.empty() || CreateFolderChain(folder);
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace quillon
