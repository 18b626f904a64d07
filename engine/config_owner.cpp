#include "engine/config_owner.h"

#include "engine/dictionary_resolution.h"
#include "engine/path_macros.h"

namespace quillon {

std::string TConfigOwner::ExpandVars(std::string_view text) const {
    return quillon::ExpandVars(text, configID_);
}

std::vector<std::string> TConfigOwner::MSWordCustomDictionaries() {
    return DiscoverWordCustomDictionaries();
}

}  // namespace quillon
