// A list of file, folder or dictionary names that tells its owner about every change,
// so that editing a configuration's list reaches the session like any other change.
#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

class TNameList {
public:
    using TChangeEvent = std::function<void(TNameList& sender)>;
    // Kept: in the order given. SortedUnique: in CompareFileNames order, a name that is
    // already there (SameFileName) is not added again.
    enum class TOrder { Kept, SortedUnique };

    explicit TNameList(TOrder order = TOrder::Kept) : order_(order) {}
    TNameList(std::initializer_list<std::string> names) : names_(names) {}
    // Its handler belongs to its owner: a copy would tell the wrong one.
    TNameList(const TNameList&) = delete;
    TNameList& operator=(const TNameList&) = delete;

    std::size_t Count() const { return names_.size(); }
    bool Empty() const { return names_.empty(); }
    const std::string& operator[](std::size_t index) const { return names_[index]; }
    const std::vector<std::string>& Items() const { return names_; }
    std::vector<std::string>::const_iterator begin() const { return names_.begin(); }
    std::vector<std::string>::const_iterator end() const { return names_.end(); }

    // The first entry naming the same file (SameFileName), or -1.
    int IndexOf(std::string_view name) const;
    bool Contains(std::string_view name) const { return IndexOf(name) >= 0; }

    // Appends (SortedUnique: inserts at its place, or does nothing when present).
    void Add(std::string name);
    void Delete(std::size_t index);
    // Deletes the first entry naming the same file; false when there is none.
    bool Remove(std::string_view name);
    void Clear();
    void Assign(std::vector<std::string> names);

    TChangeEvent OnChange;

private:
    void Changed();

    TOrder order_ = TOrder::Kept;
    std::vector<std::string> names_;
};

}  // namespace quillon
