// The dictionaries and options that a stored engine configuration names.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/custom_dictionary.h"
#include "engine/main_dictionary.h"
#include "engine/spell_options.h"

namespace quillon::cli {

struct ConfiguredDictionaries {
    std::vector<std::unique_ptr<TMainDictionary>> main;
    std::vector<std::unique_ptr<TCustomDictionary>> custom;  // the active one first
    TSpellOptions options;
};

// Reads section [Default] of an ini file written in the engine's file storage, as the
// program stores its configuration, with the program's defaults for what it lacks. The
// file is only read. Dictionaries that open nowhere are left out, as the program does;
// an error when the file cannot be read or no main dictionary opens.
ConfiguredDictionaries LoadConfiguredDictionaries(const std::string& configFile);

}  // namespace quillon::cli
