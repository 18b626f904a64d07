#include "engine/name_list.h"

#include <algorithm>

#include "engine/path_macros.h"

namespace quillon {

int TNameList::IndexOf(std::string_view name) const {
    const auto found = std::find_if(names_.begin(), names_.end(),
                                    [name](const std::string& entry) { return SameFileName(entry, name); });
    return found == names_.end() ? -1 : static_cast<int>(found - names_.begin());
}

void TNameList::Add(std::string name) {
    if (order_ == TOrder::Kept) {
        names_.push_back(std::move(name));
    } else {
        const auto at = std::lower_bound(
            names_.begin(), names_.end(), name,
            [](const std::string& a, const std::string& b) { return CompareFileNames(a, b) < 0; });
        if (at != names_.end() && SameFileName(*at, name)) return;
        names_.insert(at, std::move(name));
    }
    Changed();
}

void TNameList::Delete(std::size_t index) {
    if (index >= names_.size()) return;
    names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(index));
    Changed();
}

bool TNameList::Remove(std::string_view name) {
    const int index = IndexOf(name);
    if (index < 0) return false;
    Delete(static_cast<std::size_t>(index));
    return true;
}

void TNameList::Clear() {
    if (names_.empty()) return;
    names_.clear();
    Changed();
}

void TNameList::Assign(std::vector<std::string> names) {
    if (order_ == TOrder::SortedUnique) {
        std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
            return CompareFileNames(a, b) < 0;
        });
        names.erase(
            std::unique(names.begin(), names.end(),
                        [](const std::string& a, const std::string& b) { return SameFileName(a, b); }),
            names.end());
    }
    if (names == names_) return;
    names_ = std::move(names);
    Changed();
}

void TNameList::Changed() {
    if (OnChange) OnChange(*this);
}

}  // namespace quillon
