#include "engine/suggestion_list.h"

#include "platform/os/os.h"

namespace quillon {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && os::AnsiLowerCase(a[i]) != os::AnsiLowerCase(b[i])) return false;
    }
    return true;
}

std::size_t FindIgnoringCase(const TSuggestionList& list, std::string_view word) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (EqualsIgnoringCase(list[i].word, word)) return i;
    }
    return kNotFound;
}

}  // namespace quillon
