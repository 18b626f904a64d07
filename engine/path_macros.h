// The macros of the engine's file and key names ("%AppDir%", "%AppData%", "%MyDocuments%",
// "%AppName%", "%UserName%", "%ConfigID%") and the few path helpers that go with them.
#pragma once

#include <string>
#include <string_view>

namespace quillon {

// What the macros stand for. Empty values fall back as ExpandMacros says.
struct TMacroValues {
    std::string appName;      // "%AppName%": the program's file name without folder and extension
    std::string userName;     // "%UserName%"; empty becomes "default"
    std::string appDir;       // "%AppDir%": the program's folder
    std::string appData;      // "%AppData%"; empty becomes the program's folder
    std::string myDocuments;  // "%MyDocuments%"

    // The running program's and user's values, folders without a trailing separator.
    static TMacroValues FromSystem();
};

// The name macros only: the first "%AppName%", then the first "%UserName%".
std::string ExpandNameMacros(std::string_view text, const TMacroValues& values);

// Name macros, then the first "%AppDir%", "%AppData%" and "%MyDocuments%" each, then the
// environment (%NAME% on Windows, $NAME and ${NAME} natively). Natively every "\" of the
// text becomes "/" first, so that names stored in the Windows form name the same files;
// the values put in by macros and variables are left as they are.
std::string ExpandMacros(std::string_view text, const TMacroValues& values);
std::string ExpandMacros(std::string_view text);

// ExpandMacros(text), then its first "%ConfigID%" replaced with ExpandMacros(configID).
std::string ExpandVars(std::string_view text, std::string_view configID);

// Replaces the first occurrence of `macro`; the text stays as it is without one.
std::string ReplaceFirst(std::string_view text, std::string_view macro, std::string_view value);

// A name holds a folder when it has a "\" (or, on every platform, a "/").
bool HasFolder(std::string_view name);

// The folder without its trailing separators, "\", the name: how the engine writes a file
// in a folder before expanding it.
std::string InFolder(std::string_view folder, std::string_view name);

// Two names of the same file: the ANSI case mapping decides on Windows, bytes elsewhere.
bool SameFileName(std::string_view a, std::string_view b);
// The order that goes with SameFileName: negative, zero or positive.
int CompareFileNames(std::string_view a, std::string_view b);

// Creates the folder and every missing folder above it; false when it is not there after.
bool CreateFolderChain(const std::string& folder);
// Creates the folder chain of the file's folder.
bool CreateFolderChainOf(const std::string& fileName);

}  // namespace quillon
